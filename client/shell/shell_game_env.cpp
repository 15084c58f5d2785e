#include "shell_game_env.h"

#include <chrono>

#include "timer_table.h"

namespace lmn::shell {

game::Answer ShellGameEnv::Ask(const std::string& text, const std::string& caption, game::Buttons buttons) {
    MessageButtons shown = MessageButtons::Ok;
    if (buttons == game::Buttons::OkCancel) shown = MessageButtons::OkCancel;
    if (buttons == game::Buttons::YesNo) shown = MessageButtons::YesNo;
    switch (context_.host().ShowMessage(text, caption, shown)) {
        case MessageAnswer::Cancel:
            return game::Answer::Cancel;
        case MessageAnswer::Yes:
            return game::Answer::Yes;
        case MessageAnswer::No:
            return game::Answer::No;
        case MessageAnswer::Ok:
            break;
    }
    return game::Answer::Ok;
}

void ShellGameEnv::StartPeerCloseDelay() {
    context_.host().StartTimer(kTimerRelay, kRelayCloseDelayMs);
}

void ShellGameEnv::StartOpponentRequestDelay() {
    context_.host().StartTimer(kTimerOpponentRequest, kOpponentRequestDelayMs);
}

void ShellGameEnv::StartOpponentAnswerCheck() {
    context_.host().StartTimer(kTimerOpponentAnswer, kOpponentAnswerCheckMs);
}

void ShellGameEnv::StopOpponentAnswerCheck() {
    context_.host().KillTimer(kTimerOpponentAnswer);
}

void ShellGameEnv::StartGameOverGrace() {
    context_.host().StartTimer(kTimerGameOverGrace, kGameOverGraceMs);
}

std::uint32_t ShellGameEnv::TickMs() const {
    const auto since = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<std::uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(since).count());
}

std::int64_t ShellGameEnv::CalendarSeconds() const {
    return std::chrono::duration_cast<std::chrono::seconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

const game::PlayerContext& ShellGameEnv::Player() const {
    const DialogState& state = context_.state();
    player_.userId = state.userId;
    player_.userName = state.userName;
    player_.roomId = state.room.kind;
    player_.serverId = state.room.serverId;
    player_.serverName = state.room.serverName;
    player_.roomBaseUrl = state.room.baseUrl;
    return player_;
}

}  // namespace lmn::shell
