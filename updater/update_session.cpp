#include "update_session.h"

#include "paths.h"
#include "text.h"

namespace lmn::updater {

UpdateSession::UpdateSession(UpdateHost& host, std::string folder)
    : host_(host), folder_(std::move(folder)) {}

std::string UpdateSession::FullPath(std::string_view name) const {
    return lmn::FullPath(folder_, name);
}

void UpdateSession::StartGameAndExit() {
    if (ClaimEnding()) host_.StartProgram(FullPath("LMN_KX.exe"), {"go"});
    host_.Exit(0);
}

void UpdateSession::UpdateFailed(const std::string& reason) {
    bool enter = host_.AskYesNo(reason + Utf8ToGbk(",\r\n升级失败，是否仍然要进入游戏?"), Utf8ToGbk("提示"));
    if (enter && ClaimEnding()) host_.StartProgram(FullPath("LMN_KX.exe"), {"go"});
    ClaimEnding();
    host_.Exit(0);
}

}  // namespace lmn::updater
