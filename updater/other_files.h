// Fetching the game files whose version rose in the other-files manifest.
#pragma once

#include <string_view>

#include "update_session.h"

namespace lmn::updater {

// True when a manifest destination names a file inside the game folder: no drive or colon,
// not absolute, and no ".." that climbs above the folder ('\\' and '/' both separate).
bool IsDestinationInsideGameFolder(std::string_view destination);

// Downloads every server entry the local manifest does not hold at the same or a higher
// version, in server order, then stores the server's manifest (only when something was fetched).
// An entry whose destination leaves the game folder is skipped with one line on standard output.
void UpdateOtherFiles(UpdateSession& session);

}  // namespace lmn::updater
