// The replay being recorded during a battle: the battle page hands it over piece by piece
// ([game_record] save_start, save, save_end) and the end writes it to "record".
#pragma once

#include <string>
#include <string_view>

#include "replay_folders.h"
#include "replay_names.h"

namespace lmn::replays {

class ReplayRecorder {
  public:
    explicit ReplayRecorder(const ReplayFolders& folders) : folders_(folders) {}

    // Empties the buffer and takes the two player names.
    void Start(std::string_view name1, std::string_view name2);
    void Append(std::string_view piece);
    // Writes the decoded buffer to "record/[name1] vs [name2]<when>.txt" (replacing a file of that
    // name whole) and returns its path, or "" when it could not be written. The buffer is kept,
    // so a second end writes it again under a new time.
    std::string Finish(const Timestamp& when);

    const std::string& buffer() const { return buffer_; }

  private:
    const ReplayFolders& folders_;
    std::string buffer_;
    std::string name1_;
    std::string name2_;
};

}  // namespace lmn::replays
