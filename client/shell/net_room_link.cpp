#include "net_room_link.h"

#include "package_writer.h"

namespace lmn::shell {

bool NetRoomLink::Listen(int port) {
    // Anyone may connect to the direct-play port: a few strangers at a time, and only while
    // they speak.
    engine_.setAcceptLimits({kMaxDirectConnections, kDirectFirstRecordWithin});
    return engine_.start(true, {static_cast<std::uint16_t>(port)});
}

ConnectionId NetRoomLink::Connect(const std::string& address, int port) {
    return engine_.connect(address, static_cast<std::uint16_t>(port));
}

bool NetRoomLink::Send(ConnectionId connection, net::PackageWriter& package) {
    return engine_.send(connection, package);
}

void NetRoomLink::onNetEvent(net::NetEvent event) {
    if (handler_) handler_(std::move(event));
}

}  // namespace lmn::shell
