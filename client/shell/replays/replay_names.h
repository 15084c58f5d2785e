// The names and texts of replay files: the two encodings the pages use, the file names of own and
// collected replays, and reading the player names and the time back out of a file name.
// Everything here is pure text; all texts are GBK.
#pragma once

#include <string>
#include <string_view>
#include <utility>

namespace lmn::replays {

struct Timestamp {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

// The local time now.
Timestamp LocalNow();

// "%04d%02d%02d%02d%02d%02d".
std::string TimestampText(const Timestamp& t);

// Replay pieces from the battle page: "[g1]" stands for "^" and "[g2]" for a blank.
std::string DecodeReplayText(std::string_view pieces);

// File names from the page: "[g2]" stands for a blank and "[g1]" for "\" (decoded in that order).
std::string DecodePageFileName(std::string_view encoded);

// A player name or time made safe to stand inside one file name: path separators and zero bytes
// become "_", so no name can lead out of the replay folder.
std::string SafeNamePiece(std::string_view text);

// "[name1] vs [name2]" + time stamp + ".txt".
std::string OwnReplayFileName(std::string_view name1, std::string_view name2, const Timestamp& when);
// "[name1] vs [name2]" + the server's save time without blanks, "-" and ":" + ".txt".
std::string CollectedReplayFileName(std::string_view name1, std::string_view name2,
                                    std::string_view saveTime);

// The texts inside the first two bracket pairs of a bare file name; missing ones are empty.
std::pair<std::string, std::string> PlayerNamesOf(std::string_view fileName);
// The text between the second "]" and the next "." after it (the time stamp of an own replay);
// empty when the name has no such part.
std::string TimeTextOf(std::string_view fileName);

}  // namespace lmn::replays
