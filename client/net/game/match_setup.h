// Bringing two players into one game: pairing, invitations, the direct link's greeting, and
// the set-up that ends in both clients opening the battle page with opposite first flags.
#pragma once

#include <random>

#include "game_env.h"
#include "match_state.h"
#include "package_reader.h"
#include "package_routes.h"
#include "room_lobby.h"

namespace lmn::game {

class MatchSetup {
  public:
    MatchSetup(GameEnv& env, PackageLink& link, MatchState& state, PackageRoutes& routes, RoomLobby& lobby);

    void AutoGroup(int opponentId);
    void CancelAutoGroup();
    void Invite(int inviteeId);

    // This client chooses the first flag and the seeds, sends them to the opponent (through
    // the room server when relayed) and opens the battle page; announceMatch also tells the
    // lobby of the new match first.
    void SetUpAsInitiator(bool relayed, bool announceMatch);

    // True when the package was one of the set-up's.
    bool Dispatch(ConnectionHandle from, net::PackageReader& reader);

  private:
    void OnHello(ConnectionHandle from, net::PackageReader& reader);
    void OnWelcome(net::PackageReader& reader);
    void OnInvited(net::PackageReader& reader);
    void OnInviteAnswer(net::PackageReader& reader);
    void OnComputerGame(net::PackageReader& reader);
    void OpenGamePage();

    GameEnv& env_;
    PackageLink& link_;
    MatchState& state_;
    PackageRoutes& routes_;
    RoomLobby& lobby_;
    std::minstd_rand random_;
};

}  // namespace lmn::game
