// Downloads into the temporary file "download.txt" in the updater's folder, with the file's
// name and the bytes received in the status line, then installs the file over its target.
#pragma once

#include <string>

#include "update_session.h"

namespace lmn::updater {

inline constexpr int kDownloadAttempts = 4;
inline constexpr int kRetryPauseMs = 1000;

// One attempt. False when the server cannot be reached, the transfer breaks off, the answer
// is an error status or a piece of it holds " 404 ", or the file cannot be installed; the
// target is then left as it was.
bool DownloadFile(UpdateSession& session, const std::string& url, const std::string& localPath);

// Up to four attempts one second apart; after the fourth failure the failure prompt
// "下载<name>失败" ends the process.
bool DownloadWithRetry(UpdateSession& session, const std::string& url, const std::string& localPath);

// The last component of a path, '\\' counting as '/'.
std::string FileNameOf(const std::string& path);

}  // namespace lmn::updater
