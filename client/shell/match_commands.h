// Pairing and invitations. The match set-up work fills these in; until then they do nothing.
#pragma once

#include <string>

namespace lmn::shell {

class MatchCommands {
  public:
    void OnAutoGroup(const std::string& /*commandText*/) {}
    void OnCancelAutoGroup(const std::string& /*commandText*/) {}
    void OnInvite(const std::string& /*commandText*/) {}
    void OnOpponentRequestTimer() {}
    void OnOpponentAnswerTimer() {}
};

}  // namespace lmn::shell
