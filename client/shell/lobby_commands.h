// Lobby commands and the presence report: [userinfo], [setting_test_out_ip],
// [request_user_list], and the ten-minute add_activep report on a worker thread.
#pragma once

#include <string>

#include "game_client.h"
#include "shell_context.h"
#include "worker_threads.h"

namespace lmn::shell {

class LobbyCommands {
  public:
    LobbyCommands(ShellContext& context, game::GameClient& game) : context_(context), game_(game) {}

    // Stores the reported player; a new id (re)starts the presence timer. Sends the short login.
    void OnUserInfo(const std::string& commandText);
    void OnSettingTestOutIp(const std::string& commandText);
    void OnRequestUserList(const std::string& /*commandText*/) { game_.RequestUserList(); }
    // Each tick sends one report on a worker thread; a reply that asks for it takes the page
    // back to the lobby login, on the window thread.
    void OnPresenceReportTimer();

  private:
    ShellContext& context_;
    game::GameClient& game_;
    game::WorkerThreads reports_;
};

}  // namespace lmn::shell
