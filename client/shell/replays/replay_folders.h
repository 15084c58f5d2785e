// The two replay folders of the program directory, "record" (own replays) and "collect"
// (replays fetched from the server), and the check that a file name given by a page stands
// inside one of them.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "replay_sink.h"

namespace lmn::replays {

class ReplayFolders {
  public:
    // programDir ends with '/'.
    explicit ReplayFolders(std::string programDir) : programDir_(std::move(programDir)) {}

    const std::string& programDir() const { return programDir_; }
    std::string RecordDir() const { return programDir_ + "record"; }
    std::string CollectDir() const { return programDir_ + "collect"; }

    // The native path of a decoded page file name when it names an existing regular file inside
    // "record" or "collect" after resolving both separators, "..", case twins and links;
    // nothing otherwise. A name that is not absolute is taken in the program directory.
    std::optional<std::string> ConfinedFile(std::string_view fileName) const;

    // The bare names of the "*.txt" files in folder (letter case ignored), in the order the file
    // system returns them; names starting with "." and folders are left out. The sink pauses
    // 1 ms per entry, as the page's listings always took.
    std::vector<std::string> ReplayFileNames(const std::string& folder, ReplaySink& sink) const;

  private:
    std::string programDir_;
};

}  // namespace lmn::replays
