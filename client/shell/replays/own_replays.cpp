#include "own_replays.h"

#include <algorithm>
#include <string>
#include <vector>

#include "replay_names.h"

namespace lmn::replays {

namespace {

struct OwnReplay {
    std::string name;
    std::string timeText;
};

}  // namespace

void ListOwnReplays(const ReplayFolders& folders, ReplaySink& sink) {
    std::vector<OwnReplay> replays;
    for (std::string& name : folders.ReplayFileNames(folders.RecordDir(), sink)) {
        if (replays.size() == kOwnReplayListLimit) break;
        std::string timeText = TimeTextOf(name);
        replays.push_back({std::move(name), std::move(timeText)});
    }
    std::stable_sort(replays.begin(), replays.end(),
                     [](const OwnReplay& a, const OwnReplay& b) { return a.timeText > b.timeText; });
    std::string folder = folders.RecordDir() + "\\";
    for (const OwnReplay& replay : replays)
        sink.SendToPage("type=[record_my_add]&purefilename=" + replay.name + "&filename=" + folder +
                        replay.name);
}

}  // namespace lmn::replays
