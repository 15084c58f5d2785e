#include "update_run.h"

#include "card_pictures.h"
#include "download.h"
#include "http.h"
#include "manifest_reader.h"
#include "other_files.h"
#include "profile.h"
#include "self_update.h"

namespace lmn::updater {

namespace {

constexpr int kWorkerStartDelayMs = 1000;
constexpr int kSecondAddressDelayMs = 100;

bool IsBaseUrl(const std::string& text) {
    return text.find("zrk") != std::string::npos;
}

void FindUpdateServer(UpdateSession& session, const std::array<std::string, 2>& addressUrls) {
    session.Status("正在读取服务器地址");
    std::string base = FetchText(addressUrls[0]);
    if (!IsBaseUrl(base)) {
        session.Status("读取服务器地址1失败，尝试读取服务器地址2");
        session.host().Sleep(kSecondAddressDelayMs);
        base = FetchText(addressUrls[1]);
    }
    if (!IsBaseUrl(base)) session.UpdateFailed(Gbk("连接升级服务器失败"));
    session.setBaseUrl(base);
}

}  // namespace

void RunUpdate(UpdateSession& session, const std::array<std::string, 2>& addressUrls) {
    FindUpdateServer(session, addressUrls);

    session.Status("正在读取升级总配置文件");
    CTotalUpdateInfo local = ReadLocalTotalInfo(session);
    CTotalUpdateInfo remote = ReadServerTotalInfo(session);
    bool changed = false;
    if (local.gameUrl != remote.gameUrl) {
        ProfileFile(session.FullPath("config.ini")).WriteString("common", "strUrl", remote.gameUrl);
        changed = true;
    }

    SelfUpdate(session);

    if (local.cardVersion < remote.cardVersion) {
        session.Status("正在更新卡片图片");
        UpdateCardPictures(session);
        changed = true;
    }
    RepairSpecialCardPictures(session);

    if (local.otherVersion < remote.otherVersion) {
        session.Status("正在更新其它文件");
        UpdateOtherFiles(session);
    } else if (!changed) {
        session.StartGameAndExit();
    }
    DownloadWithRetry(session, session.baseUrl() + kTotalManifest, session.FullPath(kTotalManifest));
    session.StartGameAndExit();
}

void RunUpdateWorker(UpdateSession& session, const std::array<std::string, 2>& addressUrls) {
    session.host().Sleep(kWorkerStartDelayMs);
    RunUpdate(session, addressUrls);
}

}  // namespace lmn::updater
