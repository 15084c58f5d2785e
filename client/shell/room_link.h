// The seam to the transport: the room server connection (and, through PackageLink, sending
// packages on any connection and closing it). NetRoomLink is the real one; tests use a fake.
#pragma once

#include <cstdint>
#include <string>

#include "game_env.h"

namespace lmn::shell {

using ConnectionId = game::ConnectionHandle;
inline constexpr ConnectionId kNoConnection = 0;

class RoomLink : public game::PackageLink {
  public:
    // Starts a connection to address:port; kNoConnection when it cannot even be started.
    virtual ConnectionId Connect(const std::string& address, int port) = 0;
};

}  // namespace lmn::shell
