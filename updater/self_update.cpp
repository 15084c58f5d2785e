#include "self_update.h"

#include "download.h"
#include "manifest_reader.h"
#include "paths.h"

namespace lmn::updater {

void SelfUpdate(UpdateSession& session) {
    int32_t local = ReadLocalUpdaterVersion(session);
    int32_t remote = ReadServerUpdaterVersion(session);
    std::string site = ReadServerUpdaterDownloadSite(session);
    if (local >= remote) return;

    session.Status("正在更新升级程序");
    std::string program = session.FullPath("Update.exe");
    std::string fresh = session.FullPath("UpdateNew.exe");
    std::string old = session.FullPath("Update_old.exe");
    if (!DownloadWithRetry(session, session.baseUrl() + site, fresh))
        session.UpdateFailed(Gbk("下载升级程序失败"));
    ForceDeleteFile(old);
    // A failed rename leaves the running updater in place and the local manifest at the old
    // version, so the next run tries again.
    if (!RenameFile(program, old)) {
        ForceDeleteFile(fresh);
        session.UpdateFailed(Gbk("下载升级程序失败"));
    }
    if (!RenameFile(fresh, program)) {
        RenameFile(old, program);
        session.UpdateFailed(Gbk("下载升级程序失败"));
    }
    DownloadWithRetry(session, session.baseUrl() + kUpdaterManifest, session.FullPath(kUpdaterManifest));
    session.host().StartProgram(session.FullPath("update.exe"), {});
    session.host().Exit(0);
}

}  // namespace lmn::updater
