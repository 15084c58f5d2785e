// Watching another match: [watch] and [quit_watch] go to the room server.
#pragma once

#include <string>

#include "arg_value.h"
#include "game_client.h"

namespace lmn::shell {

class WatchCommands {
  public:
    explicit WatchCommands(game::GameClient& game) : game_(game) {}

    void OnWatch(const std::string& commandText) {
        game_.Watch(GetArgInt(commandText, "id1"), GetArgInt(commandText, "id2"));
    }
    void OnQuitWatch(const std::string& /*commandText*/) { game_.QuitWatch(); }

  private:
    game::GameClient& game_;
};

}  // namespace lmn::shell
