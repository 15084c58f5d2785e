// Recording, collecting, listing and deleting replays for the page ([game_record], [record_*],
// [my_record_*]); the files themselves are the replays library's.
#pragma once

#include <functional>
#include <string>

#include "collected_replays.h"
#include "replay_folders.h"
#include "replay_recorder.h"
#include "replay_sink.h"

namespace lmn::shell {

class ShellContext;

class ReplayCommands : private replays::ReplaySink {
  public:
    explicit ReplayCommands(ShellContext& context);

    void OnGameRecord(const std::string& commandText);
    void OnRecordCollect(const std::string& commandText);
    void OnRecordAll(const std::string& commandText);
    void OnRecordDel(const std::string& commandText);
    void OnRecordRequest(const std::string& commandText);
    void OnMyRecordAll(const std::string& commandText);
    void OnMyRecordDel(const std::string& commandText);

    // The local time own replays are named with (tests set a fixed one).
    void SetClock(std::function<replays::Timestamp()> clock) { clock_ = std::move(clock); }

  private:
    void SendToPage(const std::string& text) override;
    void ShowMessage(const std::string& text) override;
    void Pause(int ms) override;

    ShellContext& context_;
    replays::ReplayFolders folders_;
    replays::ReplayRecorder recorder_{folders_};
    replays::CollectedReplays collection_{folders_, *this};
    std::function<replays::Timestamp()> clock_ = replays::LocalNow;
};

}  // namespace lmn::shell
