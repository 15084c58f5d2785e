#include "update_run.h"

#include "card_pictures.h"
#include "download.h"
#include "http.h"
#include "manifest_reader.h"
#include "other_files.h"
#include "profile.h"
#include "self_update.h"
#include "text.h"

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
    if (!IsBaseUrl(base)) session.UpdateFailed(Utf8ToGbk("连接升级服务器失败"));
    session.setBaseUrl(base);
}

// Writes the game URL to config.ini; true once the file holds it. An empty URL is never written.
bool StoreGameUrl(UpdateSession& session, const std::string& url) {
    if (url.empty()) return false;
    ProfileFile config(session.FullPath("config.ini"));
    return config.WriteString("common", "strUrl", url) && config.GetString("common", "strUrl", "") == url;
}

}  // namespace

void RunUpdate(UpdateSession& session, const std::array<std::string, 2>& addressUrls) {
    FindUpdateServer(session, addressUrls);

    session.Status("正在读取升级总配置文件");
    CTotalUpdateInfo local = ReadLocalTotalInfo(session);
    CTotalUpdateInfo remote = ReadServerTotalInfo(session);
    bool changed = false;
    // The total manifest is stored only while config.ini holds its game URL, so a failed write
    // is tried again by the next run.
    bool urlStored = true;
    if (local.gameUrl != remote.gameUrl && !remote.gameUrl.empty()) {
        urlStored = StoreGameUrl(session, remote.gameUrl);
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
    if (urlStored)
        DownloadWithRetry(session, session.baseUrl() + kTotalManifest, session.FullPath(kTotalManifest));
    session.StartGameAndExit();
}

void RunUpdateWorker(UpdateSession& session, const std::array<std::string, 2>& addressUrls) {
    session.host().Sleep(kWorkerStartDelayMs);
    RunUpdate(session, addressUrls);
}

}  // namespace lmn::updater
