// The direct connections on this client's listening port and the one it opens itself: which
// of them is the peer, the greeting that makes one the peer, and what happens when it goes.
#pragma once

#include "battle_relay.h"
#include "game_env.h"
#include "match_state.h"
#include "net_event.h"
#include "package_reader.h"
#include "package_routes.h"

namespace lmn::game {

class DirectLinks {
  public:
    DirectLinks(GameEnv& env, PackageLink& link, MatchState& state, PackageRoutes& routes, BattleRelay& relay)
        : env_(env), link_(link), state_(state), routes_(routes), relay_(relay) {}

    // Whether a package that came over a direct connection is handled. The peer's always are;
    // any other connection becomes the peer only by saying hello, and anything else it sends
    // ends it. While a peer is set or a relayed game runs, a hello is ignored and the
    // connection left to its other end.
    bool Admits(ConnectionHandle from, const net::PackageReader& reader);
    // A direct connection's events other than data.
    void OnEvent(const net::NetEvent& event);

  private:
    bool IsPeer(ConnectionHandle connection) const { return state_.peer != 0 && connection == state_.peer; }
    void OnPeerGone();
    void OnStrangerEvent(const net::NetEvent& event);

    GameEnv& env_;
    PackageLink& link_;
    MatchState& state_;
    PackageRoutes& routes_;
    BattleRelay& relay_;
};

}  // namespace lmn::game
