// Relaying a running game between the two battle pages: the battle actions, the loading
// handshake, the game's end, rematch and restart requests, chat, and a lost opponent.
#pragma once

#include <string>

#include "game_env.h"
#include "match_setup.h"
#include "match_state.h"
#include "package_reader.h"
#include "package_routes.h"
#include "room_connection.h"

namespace lmn::game {

class BattleRelay {
  public:
    BattleRelay(GameEnv& env, PackageLink& link, const RoomConnection& room, MatchState& state,
                PackageRoutes& routes, MatchSetup& setup)
        : env_(env), link_(link), room_(room), state_(state), routes_(routes), setup_(setup) {}

    void GameDeal(const std::string& commandText);
    void GameLoadOver();
    void GamePreEnd();
    void GameEnd();
    void GameNext();
    void RequestRestart();
    void Chat(const std::string& content);
    // The Enter key: during a game it reaches the page as a battle action (true).
    bool EnterKey();

    // The delayed close of the peer after a game.
    void OnPeerCloseDelay();
    // The end of the pause the page had to report the end of a game the opponent ended.
    void OnGameOverGrace();
    // The connection the game ran over is gone.
    void OpponentLost();

    // True when the package belonged to a running game.
    bool Dispatch(ConnectionHandle from, net::PackageReader& reader);

  private:
    void OnOpponentLoaded();
    void OnRoomGameOver();
    void OnRestartAsked();
    void OnRematchAsked(bool relayed);
    void OnRematchAnswer(bool relayed, int accepted);
    void LeaveLostGame(const char* messageUtf8);

    GameEnv& env_;
    PackageLink& link_;
    const RoomConnection& room_;
    MatchState& state_;
    PackageRoutes& routes_;
    MatchSetup& setup_;
};

}  // namespace lmn::game
