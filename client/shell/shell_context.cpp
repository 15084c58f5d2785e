#include "shell_context.h"

#include "client_urls.h"
#include "page_script.h"
#include "paths.h"
#include "timer_table.h"

namespace lmn::shell {

std::string ShellContext::ConfigPath() const {
    return FullPath(deps_.programDir, kConfigName);
}

std::string ShellContext::PagePath() const {
    return ForwardSlashes(deps_.programDir);
}

void ShellContext::CallPageScript(const std::string& text) {
    deps_.host.RunPageScript(ClientCmdScript(text));
}

void ShellContext::QueuePageText(std::string text) {
    state_.pageTexts.Push(std::move(text));
    if (state_.pageReady != 0) deps_.host.StartTimer(kTimerPageTextPump, kPageTextPumpMs);
}

void ShellContext::SetPageReady(bool ready) {
    state_.pageReady = ready ? 1 : 0;
    if (ready && !state_.pageTexts.Empty()) deps_.host.StartTimer(kTimerPageTextPump, kPageTextPumpMs);
}

void ShellContext::StartMusic() {
    if (deps_.sound) deps_.sound->StartMusic();
}

void ShellContext::StopMusic() {
    if (deps_.sound) deps_.sound->StopMusic();
}

void ShellContext::LeaveRoom() {
    if (state_.room.connection != kNoConnection && deps_.roomLink)
        deps_.roomLink->Close(state_.room.connection);
    state_.room.connection = kNoConnection;
    state_.room.kind = 0;
}

}  // namespace lmn::shell
