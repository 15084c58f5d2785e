#include "lobby_commands.h"

#include "client_urls.h"
#include "fixed_values.h"
#include "out_ip_self_test.h"
#include "presence_report.h"
#include "timer_table.h"
#include "user_info.h"

namespace lmn::shell {

void LobbyCommands::OnUserInfo(const std::string& commandText) {
    const game::UserInfo info = game::ParseUserInfo(commandText);
    DialogState& state = context_.state();
    if (info.userId != state.userId) context_.host().StartTimer(kTimerPresenceReport, kPresenceReportMs);
    state.userId = info.userId;
    state.userName = info.userName;
    game_.SendShortLogin();
}

void LobbyCommands::OnSettingTestOutIp(const std::string& /*commandText*/) {
    context_.CallPageScript(game::OutIpTestLine(game::CanReach(context_.state().outsideIp, kListenPort)));
}

void LobbyCommands::OnPresenceReportTimer() {
    const DialogState& state = context_.state();
    if (state.userId <= 0) return;
    game::PresenceInput input;
    input.baseUrl = context_.BaseUrl();
    input.userId = state.userId;
    input.path = context_.PagePath();
    input.outIp = state.config.bOutIP != 0;
    input.userName = state.config.strUserName;
    input.password = state.config.strPassword;
    ServerAccess& server = context_.server();
    LobbyShared& lobby = context_.lobby();
    ShellHost& host = context_.host();
    reports_.Start([input, &server, &lobby, &host]() mutable {
        input.localIp = server.LocalAddress();
        lobby.SetLocalAddress(input.localIp);
        const std::string login = game::SendPresenceReport(
            [&server](const std::string& url) { return server.FetchText(url); }, input);
        if (!login.empty()) host.PostToWindowThread([&host, login] { host.Navigate(login); });
    });
}

}  // namespace lmn::shell
