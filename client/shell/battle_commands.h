// The battle relay's page commands; the relay itself is game::BattleRelay, behind game::GameClient.
#pragma once

#include <string>

#include "arg_value.h"
#include "game_client.h"

namespace lmn::shell {

class BattleCommands {
  public:
    explicit BattleCommands(game::GameClient& game) : game_(game) {}

    void OnGameDeal(const std::string& commandText) { game_.GameDeal(commandText); }
    void OnGameEnd(const std::string& /*commandText*/) { game_.GameEnd(); }
    void OnGamePreEnd(const std::string& /*commandText*/) { game_.GamePreEnd(); }
    void OnGameNext(const std::string& /*commandText*/) { game_.GameNext(); }
    void OnGameRequestRestart(const std::string& /*commandText*/) { game_.RequestRestart(); }
    void OnGameLoadOver(const std::string& /*commandText*/) { game_.GameLoadOver(); }
    void OnBattleModeChat(const std::string& commandText) { game_.Chat(GetArgValue(commandText, "content")); }
    // Timer 4: the direct connection closes a second after the game's end.
    void OnRelayTimer() { game_.OnPeerCloseDelay(); }
    void OnGameOverGraceTimer() { game_.OnGameOverGrace(); }

  private:
    game::GameClient& game_;
};

}  // namespace lmn::shell
