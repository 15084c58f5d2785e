// What the page asks about one replay file it names: deleting it, or getting its content.
// The page's names are decoded ("[g2]" a blank, "[g1]" a "\") and must name a file inside
// "record" or "collect"; any other name is refused.
#pragma once

#include <string_view>

#include "replay_folders.h"
#include "replay_sink.h"

namespace lmn::replays {

// Deletes the replay and reports "删除成功"; true when it was deleted. Nothing is reported
// when the name was refused or the file could not be deleted.
bool DeleteReplay(const ReplayFolders& folders, std::string_view encodedName, ReplaySink& sink);

// Sends the page "type=[record_request]&movie_data=" + the file's whole content; true when it was
// sent. A refused or unreadable name sends nothing.
bool RequestReplay(const ReplayFolders& folders, std::string_view encodedName, ReplaySink& sink);

}  // namespace lmn::replays
