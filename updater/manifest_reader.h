// Loading the manifests: the local copy under the updater's folder (missing or broken counts
// as empty) and the server's copy under the base URL (a failed read ends in the failure
// prompt with the manifest's reason).
#pragma once

#include <string>
#include <vector>

#include "manifests.h"
#include "update_session.h"

namespace lmn::updater {

CTotalUpdateInfo ReadLocalTotalInfo(const UpdateSession& session);
CTotalUpdateInfo ReadServerTotalInfo(UpdateSession& session);

int32_t ReadLocalUpdaterVersion(const UpdateSession& session);
int32_t ReadServerUpdaterVersion(UpdateSession& session);
std::string ReadServerUpdaterDownloadSite(UpdateSession& session);

std::vector<CCardInfo> ReadLocalCardList(const UpdateSession& session);
std::vector<CCardInfo> ReadServerCardList(UpdateSession& session);

std::vector<COtherFileInfo> ReadLocalOtherFileList(const UpdateSession& session);
std::vector<COtherFileInfo> ReadServerOtherFileList(UpdateSession& session);

}  // namespace lmn::updater
