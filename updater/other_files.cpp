#include "other_files.h"

#include "download.h"
#include "manifest_reader.h"

namespace lmn::updater {

void UpdateOtherFiles(UpdateSession& session) {
    std::vector<COtherFileInfo> local = ReadLocalOtherFileList(session);
    std::vector<COtherFileInfo> server = ReadServerOtherFileList(session);
    std::vector<COtherFileInfo> fetch = FilesToFetch(local, server);
    if (fetch.empty()) return;
    for (const auto& file : fetch)
        DownloadWithRetry(session, session.baseUrl() + file.source, session.FullPath(file.destination));
    DownloadWithRetry(session, session.baseUrl() + kOtherManifest, session.FullPath(kOtherManifest));
}

}  // namespace lmn::updater
