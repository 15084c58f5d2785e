// Fetching the game files whose version rose in the other-files manifest.
#pragma once

#include "update_session.h"

namespace lmn::updater {

// Downloads every server entry the local manifest does not hold at the same or a higher
// version, in server order, then stores the server's manifest (only when something was fetched).
void UpdateOtherFiles(UpdateSession& session);

}  // namespace lmn::updater
