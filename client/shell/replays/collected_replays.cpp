#include "collected_replays.h"

#include "paths.h"
#include "replay_names.h"
#include "text.h"

namespace lmn::replays {

CollectOutcome CollectedReplays::Store(const CollectReply& reply) {
    if (reply.movieData.empty()) return CollectOutcome::NoReplayData;
    std::string path = folders_.CollectDir() + "/" +
                       CollectedReplayFileName(reply.userName1, reply.userName2, reply.saveTime);
    EnsureDirectoriesClient(folders_.CollectDir());
    if (PathExists(path)) {
        sink_.ShowMessage(Utf8ToGbk("您已经收藏过本录像了"));
        return CollectOutcome::AlreadyCollected;
    }
    if (!WriteFileAtomic(path, reply.movieData)) return CollectOutcome::WriteFailed;
    Announce(SafeNamePiece(reply.userName1), SafeNamePiece(reply.userName2), path);
    sink_.ShowMessage(Utf8ToGbk("收藏成功"));
    return CollectOutcome::Stored;
}

void CollectedReplays::ListAll() {
    std::string folder = folders_.CollectDir() + "\\";
    for (const std::string& name : folders_.ReplayFileNames(folders_.CollectDir(), sink_)) {
        auto [name1, name2] = PlayerNamesOf(name);
        Announce(name1, name2, folder + name);
    }
}

void CollectedReplays::Announce(const std::string& name1, const std::string& name2, const std::string& path) {
    sink_.SendToPage("type=[record_collect_add]&username1=" + name1 + "&username2=" + name2 +
                     "&filename=" + path);
}

}  // namespace lmn::replays
