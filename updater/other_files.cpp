#include "other_files.h"

#include <cstdio>

#include "download.h"
#include "manifest_reader.h"
#include "text.h"

namespace lmn::updater {

bool IsDestinationInsideGameFolder(std::string_view destination) {
    if (destination.empty() || destination.find(':') != std::string_view::npos) return false;
    if (destination.front() == '/' || destination.front() == '\\') return false;
    int depth = 0;
    bool namesFile = false;
    for (const std::string& piece : Split(ReplaceAll(std::string(destination), "\\", "/"), '/')) {
        namesFile = !piece.empty() && piece != "." && piece != "..";
        if (piece == "..") {
            if (--depth < 0) return false;
        } else if (namesFile) {
            ++depth;
        }
    }
    return namesFile;
}

void UpdateOtherFiles(UpdateSession& session) {
    std::vector<COtherFileInfo> local = ReadLocalOtherFileList(session);
    std::vector<COtherFileInfo> server = ReadServerOtherFileList(session);
    std::vector<COtherFileInfo> fetch = FilesToFetch(local, server);
    if (fetch.empty()) return;
    for (const auto& file : fetch) {
        if (!IsDestinationInsideGameFolder(file.destination)) {
            std::string line = "skipped: destination outside the game folder: " + file.destination + "\n";
            std::fputs(line.c_str(), stdout);
            std::fflush(stdout);
            continue;
        }
        DownloadWithRetry(session, session.baseUrl() + file.source, session.FullPath(file.destination));
    }
    DownloadWithRetry(session, session.baseUrl() + kOtherManifest, session.FullPath(kOtherManifest));
}

}  // namespace lmn::updater
