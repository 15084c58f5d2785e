// Pairing and invitations: [auto_group], [cancel_auto_group], [invite], and the delayed
// opponent request after a lost direct link.
#pragma once

#include <string>

#include "arg_value.h"
#include "game_client.h"

namespace lmn::shell {

class MatchCommands {
  public:
    explicit MatchCommands(game::GameClient& game) : game_(game) {}

    void OnAutoGroup(const std::string& commandText) { game_.AutoGroup(GetArgInt(commandText, "oppoentID")); }
    void OnCancelAutoGroup(const std::string& /*commandText*/) { game_.CancelAutoGroup(); }
    void OnInvite(const std::string& commandText) { game_.Invite(GetArgInt(commandText, "id")); }
    void OnOpponentRequestTimer() { game_.OnOpponentRequestDelay(); }
    void OnOpponentAnswerTimer() { game_.OnOpponentAnswerCheck(); }

  private:
    game::GameClient& game_;
};

}  // namespace lmn::shell
