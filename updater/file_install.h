// Putting a downloaded file in place of an installed one without ever leaving a partial file:
// the new content is moved (or copied beside the target and then renamed) over the target.
#pragma once

#include <string>

#include "update_session.h"

namespace lmn::updater {

// How often a target is tried before the install gives up.
inline constexpr int kInstallTries = 5;

// Replaces target with the complete file at downloaded (which is consumed on success).
// While the game client "LMN_KX.exe" is running it cannot be replaced: the player is asked to
// close the game until it has ended. Program files ("*.exe") end up executable. False when the
// target cannot be replaced for any other reason.
bool InstallDownloadedFile(UpdateSession& session, const std::string& downloaded, const std::string& target);

// True when the file is a running program (opening it for writing fails with "text file busy").
bool IsRunningProgram(const std::string& path);

}  // namespace lmn::updater
