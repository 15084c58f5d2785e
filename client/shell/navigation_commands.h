// The page changes the program makes on its own: room entry and exit, the base URL, and the
// navigation items of the right-click menu.
#pragma once

#include <string>

#include "game_client.h"
#include "shell_context.h"

namespace lmn::shell {

class NavigationCommands {
  public:
    NavigationCommands(ShellContext& context, game::GameClient& game) : context_(context), game_(game) {}

    // Remembers the room and opens the room server connection.
    void OnEnterRoom(const std::string& commandText);
    // Leaves the room; room kind 6 goes back to "battle_mode_main.php", any other to "p2pgame.php".
    void OnReturnHall(const std::string& commandText);
    // The base URL becomes the (lower-cased) "url" value until the program ends.
    void OnChangeBaseUrl(const std::string& commandText);
    // Menu items 32771-32776 and 32780; false for any other command.
    bool OnMenuCommand(int command);

  private:
    void LeaveRoomAndGo(const char* page);

    ShellContext& context_;
    game::GameClient& game_;
};

}  // namespace lmn::shell
