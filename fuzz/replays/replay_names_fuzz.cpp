// Replay names and texts from pages, servers and the file system: decoding, building file names
// from player names and save times, and reading names and times back. Built file names must
// never hold a path separator.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "replay_names.h"

using namespace lmn::replays;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view input(reinterpret_cast<const char*>(data), size);
    size_t cut1 = input.find('&');
    size_t cut2 = cut1 == std::string_view::npos ? cut1 : input.find('&', cut1 + 1);
    std::string_view name1 = input.substr(0, cut1);
    std::string_view name2 = cut1 == std::string_view::npos ? "" : input.substr(cut1 + 1, cut2 - cut1 - 1);
    std::string_view saveTime = cut2 == std::string_view::npos ? "" : input.substr(cut2 + 1);

    for (const std::string& name : {CollectedReplayFileName(name1, name2, saveTime),
                                    OwnReplayFileName(name1, name2, Timestamp{2009, 3, 4, 5, 6, 7})}) {
        if (name.find_first_of(std::string_view("/\\\0", 3)) != std::string::npos) std::abort();
        PlayerNamesOf(name);
        TimeTextOf(name);
    }
    DecodePageFileName(input);
    DecodeReplayText(input);
    PlayerNamesOf(input);
    TimeTextOf(input);
    return 0;
}
