#include "navigation_commands.h"

#include "arg_value.h"
#include "client_urls.h"
#include "menus.h"

namespace lmn::shell {

void NavigationCommands::OnEnterRoom(const std::string& commandText) {
    RoomState& room = context_.state().room;
    room.kind = GetArgInt(commandText, "id");
    room.serverId = GetArgInt(commandText, "serverid");
    room.serverName = GetArgValue(commandText, "servername");
    room.baseUrl = GetArgValue(commandText, "baseurl");
    game_.EnterRoom(context_.lobby().RoomServerAddress(), kRoomServerPort);
}

void NavigationCommands::OnReturnHall(const std::string& /*commandText*/) {
    const int kind = context_.state().room.kind;
    LeaveRoomAndGo(kind == 6 ? "battle_mode_main.php" : "p2pgame.php");
}

void NavigationCommands::OnChangeBaseUrl(const std::string& commandText) {
    context_.lobby().SetBaseUrl(GetArgValue(commandText, "url"));
}

bool NavigationCommands::OnMenuCommand(int command) {
    const std::string base = context_.BaseUrl();
    switch (command) {
        case kCmdHome:
            LeaveRoomAndGo("index.php");
            return true;
        case kCmdPlayerHall:
            LeaveRoomAndGo("p2pgame.php");
            return true;
        case kCmdComputerHall:
            LeaveRoomAndGo("task.php");
            return true;
        case kCmdOpenBaike:
            context_.host().OpenInUserBrowser(base + "baike.php");
            return true;
        case kCmdOpenBbs:
            context_.host().OpenInUserBrowser(base + "bbs.php");
            return true;
        case kCmdOpenHelp:
            context_.host().OpenInUserBrowser(base + "help.php");
            return true;
        case kCmdAboutPage:
            context_.host().ShowAboutPage(AboutPageUrl(base, context_.PagePath()));
            return true;
        default:
            return false;
    }
}

void NavigationCommands::LeaveRoomAndGo(const char* page) {
    game_.LeaveRoom();
    context_.ForgetRoom();
    context_.host().Navigate(context_.BaseUrl() + page);
}

}  // namespace lmn::shell
