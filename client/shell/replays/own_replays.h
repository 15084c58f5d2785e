// The player's own recorded replays in "record", listed for the page newest first.
#pragma once

#include "replay_folders.h"
#include "replay_sink.h"

namespace lmn::replays {

// Only this many own replays are listed; the ones found first are kept.
inline constexpr size_t kOwnReplayListLimit = 5000;

// One record_my_add text per file in "record", ordered by the time stamp in the name, greatest
// first; replays with equal times keep the file system's order.
void ListOwnReplays(const ReplayFolders& folders, ReplaySink& sink);

}  // namespace lmn::replays
