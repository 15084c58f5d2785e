#include "file_install.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "paths.h"
#include "text.h"

namespace lmn::updater {

namespace {

constexpr int kInstallPauseMs = 200;

bool IsGameClient(const std::string& target) {
    return GbkToLower(target).find("lmn_kx.exe") != std::string::npos;
}

bool EndsWithExe(const std::string& path) {
    std::string lower = AsciiLower(path);
    return lower.size() >= 4 && lower.compare(lower.size() - 4, 4, ".exe") == 0;
}

// Moves downloaded over target in one rename when both lie on one file system, else copies
// it beside target and renames the copy over it. Either way target is the old or the new file.
bool Replace(const std::string& downloaded, const std::string& target) {
    if (EndsWithExe(target)) chmod(NativePath(downloaded).c_str(), 0755);
    if (RenameFile(downloaded, target)) return true;
    if (!CopyFileAtomic(downloaded, target)) return false;
    ForceDeleteFile(downloaded);
    return true;
}

bool TryInstall(const std::string& downloaded, const std::string& target) {
    if (IsRunningProgram(target) || !Replace(downloaded, target)) return false;
    MakeExecutable(target);
    return true;
}

}  // namespace

bool IsRunningProgram(const std::string& path) {
    int fd = open(NativePath(path).c_str(), O_WRONLY | O_CLOEXEC);
    if (fd >= 0) {
        close(fd);
        return false;
    }
    return errno == ETXTBSY;
}

bool InstallDownloadedFile(UpdateSession& session, const std::string& downloaded, const std::string& target) {
    // Only a running game client is worth asking about: the player can close it. Any other
    // failure (a read-only folder, a folder in the way) takes the bounded tries.
    while (IsGameClient(target) && IsRunningProgram(target)) {
        std::string text =
            Utf8ToGbk("无法覆盖文件") + target + Utf8ToGbk("，请确认是否已经退出正在运行的Lumenfold");
        session.host().ShowMessage(text, "Update");
    }
    for (int attempt = 1; attempt <= kInstallTries; ++attempt) {
        if (TryInstall(downloaded, target)) return true;
        if (attempt < kInstallTries) session.host().Sleep(kInstallPauseMs);
    }
    return false;
}

}  // namespace lmn::updater
