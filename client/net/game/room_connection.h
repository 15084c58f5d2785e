// The room server connection: the one place that opens it, knows whether it is up, and
// closes it. Packages for the room go through it and are dropped while it is not up.
#pragma once

#include <string>

#include "game_env.h"

namespace lmn::game {

class RoomConnection {
  public:
    explicit RoomConnection(PackageLink& link) : link_(link) {}

    // Closes the connection in use, if any, and starts one to address:port.
    void Open(const std::string& address, int port);
    // Leaving the room: the connection is closed and forgotten.
    void Close();
    // The transport reported the connection up.
    void MarkConnected() { connected_ = handle_ != 0; }
    // The transport reported the connection gone (closed, failed or broken).
    void Forget();

    // The connection being made or up; 0 when there is none.
    ConnectionHandle handle() const { return handle_; }
    bool Is(ConnectionHandle connection) const { return handle_ != 0 && connection == handle_; }
    bool Connected() const { return connected_; }
    // False (and the package dropped) while the connection is not up.
    bool Send(net::PackageWriter& package);

  private:
    PackageLink& link_;
    ConnectionHandle handle_ = 0;
    bool connected_ = false;
};

}  // namespace lmn::game
