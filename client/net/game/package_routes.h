// Where a package for the room server, the peer or the opponent goes: the opponent is reached
// over the room connection in relayed mode and over the direct peer connection otherwise.
// Each send is false, and the package dropped, when its connection is not there.
#pragma once

#include "game_env.h"
#include "match_state.h"
#include "room_connection.h"

namespace lmn::game {

class PackageRoutes {
  public:
    PackageRoutes(PackageLink& link, RoomConnection& room, const MatchState& state)
        : link_(link), room_(room), state_(state) {}

    bool ToRoom(net::PackageWriter& package) { return room_.Send(package); }
    bool ToPeer(net::PackageWriter& package);
    bool ToOpponent(net::PackageWriter& package);

  private:
    PackageLink& link_;
    RoomConnection& room_;
    const MatchState& state_;
};

}  // namespace lmn::game
