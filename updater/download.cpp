#include "download.h"

#include <string_view>

#include "file_install.h"
#include "http.h"
#include "paths.h"
#include "streamed_file.h"
#include "text.h"

namespace lmn::updater {

namespace {

constexpr std::string_view kNotFoundMarker = " 404 ";

// A piece is taken as text: it ends at its first zero byte.
bool HoldsNotFoundMarker(std::string_view piece) {
    return piece.substr(0, piece.find('\0')).find(kNotFoundMarker) != std::string_view::npos;
}

std::string ProgressText(const std::string& status, int64_t received, int64_t total) {
    return status + "(" + std::to_string(received) + "/" + std::to_string(total) + ")";
}

}  // namespace

std::string FileNameOf(const std::string& path) {
    size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool DownloadFile(UpdateSession& session, const std::string& url, const std::string& localPath) {
    UpdateHost& host = session.host();
    EnsureDirectoriesUpdater(localPath);
    std::string tempPath = session.FullPath("download.txt");
    StreamedFile temp(NativePath(tempPath));
    if (!temp.ok()) return false;
    const std::string status = Utf8ToGbk("正在下载文件:") + FileNameOf(localPath);
    host.SetStatus(status);

    int64_t total = 0, received = 0;
    bool notFound = false, writeFailed = false;
    auto onHeaders = [&](int64_t contentLength) {
        total = contentLength > 0 ? contentLength : 0;
        host.SetStatus(ProgressText(status, 0, total));
        host.SetProgress(0, total);
    };
    auto onPiece = [&](std::string_view piece) {
        if (!temp.Write(piece)) {
            writeFailed = true;
            return false;
        }
        if (HoldsNotFoundMarker(piece)) {
            notFound = true;
            return false;
        }
        received += static_cast<int64_t>(piece.size());
        host.SetStatus(ProgressText(status, received, total));
        host.SetProgress(received, total);
        return true;
    };
    HttpStreamResult result = HttpStream(url, onHeaders, onPiece);
    const bool closed = temp.Finish();
    host.SetProgress(-1, 0);
    if (!result.opened || !result.completed || result.status >= 400 || notFound || writeFailed || !closed)
        return false;
    if (!InstallDownloadedFile(session, tempPath, localPath)) return false;
    ForceDeleteFile(tempPath);
    return true;
}

bool DownloadWithRetry(UpdateSession& session, const std::string& url, const std::string& localPath) {
    for (int attempt = 1; attempt <= kDownloadAttempts; ++attempt) {
        if (DownloadFile(session, url, localPath)) return true;
        if (attempt < kDownloadAttempts) session.host().Sleep(kRetryPauseMs);
    }
    session.UpdateFailed(Utf8ToGbk("下载") + FileNameOf(localPath) + Utf8ToGbk("失败"));
}

}  // namespace lmn::updater
