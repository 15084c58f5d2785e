#include "own_replays.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "recording_sink.h"
#include "temp_dir.h"

namespace lmn::replays {
namespace {

using lmn::replays::testing::RecordingSink;

// Many files created in shuffled order, so the file system's order is unrelated to the times.
TEST(OwnReplays, ListsTheLaterTimeFirstWhateverTheFileSystemOrder) {
    lmn::test::TempDir dir;
    std::vector<std::string> stamps;
    for (int day = 1; day <= 28; ++day)
        stamps.push_back("200903" + std::string(day < 10 ? "0" : "") + std::to_string(day) + "050607");
    std::vector<std::string> shuffled = stamps;
    std::shuffle(shuffled.begin(), shuffled.end(), std::mt19937(7));
    for (const auto& stamp : shuffled)
        lmn::test::WriteTestFile(dir / ("record/[a] vs [b]" + stamp + ".txt"), stamp);
    lmn::test::WriteTestFile(dir / "record/readme.md", "not a replay");
    RecordingSink sink;

    ListOwnReplays(ReplayFolders(dir.path()), sink);

    ASSERT_EQ(sink.pageTexts.size(), stamps.size());
    std::string folder = dir.path() + "record\\";
    for (size_t i = 0; i < stamps.size(); ++i) {
        std::string name = "[a] vs [b]" + stamps[stamps.size() - 1 - i] + ".txt";
        EXPECT_EQ(sink.pageTexts[i],
                  "type=[record_my_add]&purefilename=" + name + "&filename=" + folder + name);
    }
}

TEST(OwnReplays, NamesWithoutTimeStillListedAfterTheTimedOnes) {
    lmn::test::TempDir dir;
    lmn::test::WriteTestFile(dir / "record/odd.txt", "");
    lmn::test::WriteTestFile(dir / "record/[a] vs [b]20090304050607.txt", "");
    RecordingSink sink;

    ListOwnReplays(ReplayFolders(dir.path()), sink);

    ASSERT_EQ(sink.pageTexts.size(), 2u);
    EXPECT_NE(sink.pageTexts[0].find("purefilename=[a] vs [b]20090304050607.txt"), std::string::npos);
    EXPECT_NE(sink.pageTexts[1].find("purefilename=odd.txt"), std::string::npos);
}

}  // namespace
}  // namespace lmn::replays
