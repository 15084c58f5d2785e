#include "room_connection.h"

namespace lmn::game {

void RoomConnection::Open(const std::string& address, int port) {
    Close();
    handle_ = link_.Connect(address, port);
}

void RoomConnection::Close() {
    if (handle_ != 0) link_.Close(handle_);
    Forget();
}

void RoomConnection::Forget() {
    handle_ = 0;
    connected_ = false;
}

bool RoomConnection::Send(net::PackageWriter& package) {
    return connected_ && link_.Send(handle_, package);
}

}  // namespace lmn::game
