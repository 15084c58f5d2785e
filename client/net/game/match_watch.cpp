#include "match_watch.h"

#include "message_types.h"
#include "package_writer.h"
#include "watch_state.h"

namespace lmn::game {

using namespace lmn::net;

void MatchWatch::Watch(int firstId, int secondId) {
    PackageWriter watch(MSG_SRV_WATCH);
    watch.int32(firstId).int32(secondId);
    routes_.ToRoom(watch);
}

void MatchWatch::QuitWatch() {
    PackageWriter quit(MSG_SRV_QUIT_WATCH);
    routes_.ToRoom(quit);
}

bool MatchWatch::Dispatch(PackageReader& reader) {
    if (reader.type() != MSG_SRV_WATCH_STATE) return false;
    OnWatchState(reader);
    return true;
}

void MatchWatch::OnWatchState(PackageReader& reader) {
    const std::int32_t firstId = reader.readInt32();
    const std::string state = reader.readString();
    // A state for a page that is not the watch page is lost, not kept for later.
    if (env_.CurrentUrl().find("watch_match.php") == std::string::npos) return;
    env_.QueuePageText(WatchStateLine(firstId, state));
}

}  // namespace lmn::game
