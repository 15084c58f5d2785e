// The seam to the transport: opening connections (the game opens the room server connection),
// sending packages on any connection and closing it. NetRoomLink is the real one; tests use a
// fake.
#pragma once

#include "game_env.h"

namespace lmn::shell {

using ConnectionId = game::ConnectionHandle;
inline constexpr ConnectionId kNoConnection = 0;

using RoomLink = game::PackageLink;

}  // namespace lmn::shell
