// The updater replacing itself: the new program is downloaded as "UpdateNew.exe", the running
// "Update.exe" is kept as "Update_old.exe", the new one takes its name in one rename and is
// started.
#pragma once

#include "update_session.h"

namespace lmn::updater {

// Returns when the updater is up to date; otherwise starts the new updater and ends the
// process (or ends in the failure prompt).
void SelfUpdate(UpdateSession& session);

}  // namespace lmn::updater
