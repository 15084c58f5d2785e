// Replays of other battles fetched from the game server and kept in "collect".
#pragma once

#include <string>

#include "replay_folders.h"
#include "replay_sink.h"

namespace lmn::replays {

// The values of the server's answer to a collect request.
struct CollectReply {
    std::string userName1;
    std::string userName2;
    std::string saveTime;
    std::string movieData;
};

enum class CollectOutcome { Stored, AlreadyCollected, NoReplayData, WriteFailed };

class CollectedReplays {
  public:
    CollectedReplays(const ReplayFolders& folders, ReplaySink& sink) : folders_(folders), sink_(sink) {}

    // Stores the replay as "collect/[name1] vs [name2]<save time>.txt". A replay already collected
    // is reported ("您已经收藏过本录像了") and left alone; an answer without replay data (as from an
    // unreachable server) creates nothing. A stored replay is announced to the page and reported
    // ("收藏成功").
    CollectOutcome Store(const CollectReply& reply);
    // One record_collect_add text per file in "collect", in the file system's order.
    void ListAll();

  private:
    void Announce(const std::string& name1, const std::string& name2, const std::string& path);

    const ReplayFolders& folders_;
    ReplaySink& sink_;
};

}  // namespace lmn::replays
