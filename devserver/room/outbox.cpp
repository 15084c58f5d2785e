#include "outbox.h"

namespace lmn::dev {

bool Outbox::ToHandle(net::ConnectionHandle handle, net::PackageWriter& package) {
    return engine_.send(handle, package);
}

bool Outbox::ToUser(std::int32_t userId, net::PackageWriter& package) {
    Session* session = directory_.ByUser(userId);
    return session && engine_.send(session->handle, package);
}

bool Outbox::RawToUser(std::int32_t userId, std::span<const std::uint8_t> package) {
    Session* session = directory_.ByUser(userId);
    return session && engine_.send(session->handle, package);
}

void Outbox::ToRoom(std::int32_t roomId, net::PackageWriter& package, net::ConnectionHandle except) {
    for (Session* member : directory_.Members(roomId))
        if (member->handle != except) engine_.send(member->handle, package);
}

}  // namespace lmn::dev
