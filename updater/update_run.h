// The update run on the worker thread: find the update server, compare the manifests, bring
// the updater, card pictures and other files up to date, store the game URL, start the game.
#pragma once

#include <array>
#include <string>

#include "update_session.h"

namespace lmn::updater {

// Never returns: every path ends the process. addressUrls are the two update-address services.
[[noreturn]] void RunUpdate(UpdateSession& session, const std::array<std::string, 2>& addressUrls);

// What the worker thread does: waits one second, then runs the update.
[[noreturn]] void RunUpdateWorker(UpdateSession& session, const std::array<std::string, 2>& addressUrls);

}  // namespace lmn::updater
