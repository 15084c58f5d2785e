// The battle relay's page commands. The relay work fills these in; until then they do nothing.
#pragma once

#include <string>

namespace lmn::shell {

class BattleCommands {
  public:
    void OnGameDeal(const std::string& /*commandText*/) {}
    void OnGameEnd(const std::string& /*commandText*/) {}
    void OnGamePreEnd(const std::string& /*commandText*/) {}
    void OnGameNext(const std::string& /*commandText*/) {}
    void OnGameRequestRestart(const std::string& /*commandText*/) {}
    void OnGameLoadOver(const std::string& /*commandText*/) {}
    void OnBattleModeChat(const std::string& /*commandText*/) {}
    void OnRelayTimer() {}
};

}  // namespace lmn::shell
