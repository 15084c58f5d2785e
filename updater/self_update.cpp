#include "self_update.h"

#include <unistd.h>

#include "download.h"
#include "manifest_reader.h"
#include "paths.h"
#include "text.h"

namespace lmn::updater {

namespace {

// Keeps the running program as `old` and puts `fresh` in its place. The program's name never
// goes missing: `old` becomes a second name of the running file (a hard link, or a copy where
// the file system has none), then `fresh` is renamed over the program in one step. A process
// killed at any moment leaves a program that starts.
bool PutNewProgramInPlace(const std::string& program, const std::string& fresh, const std::string& old) {
    ForceDeleteFile(old);
    const std::string native = NativePath(program);
    if (link(native.c_str(), NativePath(old).c_str()) != 0) {
        if (!CopyFileAtomic(program, old)) return false;
        MakeExecutable(old);
    }
    return RenameFile(fresh, program);
}

// A program the updater can start: a non-empty ELF file.
bool IsElfProgram(const std::string& path) {
    std::string head;
    return ReadFile(path, head) && head.compare(0, 4,
                                                "\x7f"
                                                "ELF") == 0;
}

}  // namespace

void SelfUpdate(UpdateSession& session) {
    int32_t local = ReadLocalUpdaterVersion(session);
    int32_t remote = ReadServerUpdaterVersion(session);
    std::string site = ReadServerUpdaterDownloadSite(session);
    if (local >= remote) return;

    session.Status("正在更新升级程序");
    std::string program = session.FullPath("Update.exe");
    std::string fresh = session.FullPath("UpdateNew.exe");
    std::string old = session.FullPath("Update_old.exe");
    if (!DownloadWithRetry(session, session.baseUrl() + site, fresh) || !IsElfProgram(fresh)) {
        ForceDeleteFile(fresh);
        session.UpdateFailed(Utf8ToGbk("下载升级程序失败"));
    }
    // A failure leaves the running updater in place and the local manifest at the old version,
    // so the next run tries again.
    if (!PutNewProgramInPlace(program, fresh, old)) {
        ForceDeleteFile(fresh);
        session.UpdateFailed(Utf8ToGbk("下载升级程序失败"));
    }
    const std::string manifest = session.FullPath(kUpdaterManifest);
    std::string oldManifest;
    const bool hadManifest = ReadFile(manifest, oldManifest);
    DownloadWithRetry(session, session.baseUrl() + kUpdaterManifest, manifest);
    if (!session.host().StartProgram(session.FullPath("update.exe"), {})) {
        // The old updater and its manifest come back, so the next run tries again.
        RenameFile(old, program);
        if (hadManifest)
            WriteFileAtomic(manifest, oldManifest);
        else
            ForceDeleteFile(manifest);
        session.UpdateFailed(Utf8ToGbk("启动升级程序失败"));
    }
    session.host().Exit(0);
}

}  // namespace lmn::updater
