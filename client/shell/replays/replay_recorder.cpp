#include "replay_recorder.h"

#include "paths.h"

namespace lmn::replays {

void ReplayRecorder::Start(std::string_view name1, std::string_view name2) {
    buffer_.clear();
    name1_ = name1;
    name2_ = name2;
}

void ReplayRecorder::Append(std::string_view piece) {
    buffer_ += piece;
}

std::string ReplayRecorder::Finish(const Timestamp& when) {
    std::string path = folders_.RecordDir() + "/" + OwnReplayFileName(name1_, name2_, when);
    EnsureDirectoriesClient(folders_.RecordDir());
    return WriteFileAtomic(path, DecodeReplayText(buffer_)) ? path : std::string();
}

}  // namespace lmn::replays
