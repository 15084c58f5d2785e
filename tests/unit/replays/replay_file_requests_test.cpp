#include "replay_file_requests.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include "paths.h"
#include "recording_sink.h"
#include "temp_dir.h"
#include "text.h"

namespace lmn::replays {
namespace {

using lmn::replays::testing::RecordingSink;

// The page's encoding of a path: blanks as "[g2]", backslashes as "[g1]".
std::string Encode(std::string path) {
    return ReplaceAll(ReplaceAll(path, "\\", "[g1]"), " ", "[g2]");
}

class ReplayFileRequests : public ::testing::Test {
  protected:
    ReplayFileRequests() : folders(dir.path() + "game/") {
        lmn::test::WriteTestFile(dir / "game/record/[a] vs [b]20090304050607.txt", "own");
        lmn::test::WriteTestFile(dir / "game/collect/[c] vs [d]2009.txt", "collected");
        lmn::test::WriteTestFile(dir / "game/config.ini", "[common]");
        lmn::test::WriteTestFile(dir / "secret.txt", "secret");
    }

    lmn::test::TempDir dir;
    ReplayFolders folders;
    RecordingSink sink;
};

TEST_F(ReplayFileRequests, DeletesAReplayNamedAsTheListingsNameIt) {
    std::string name = dir.path() + "game/record\\[a] vs [b]20090304050607.txt";
    EXPECT_TRUE(DeleteReplay(folders, Encode(name), sink));
    EXPECT_FALSE(PathExists(dir / "game/record/[a] vs [b]20090304050607.txt"));
    EXPECT_EQ(sink.messages, std::vector<std::string>{Utf8ToGbk("删除成功")});

    EXPECT_TRUE(DeleteReplay(folders, Encode(dir.path() + "game/collect\\[c] vs [d]2009.txt"), sink));
    EXPECT_FALSE(PathExists(dir / "game/collect/[c] vs [d]2009.txt"));
}

TEST_F(ReplayFileRequests, AMissingReplayIsNotReportedAsDeleted) {
    EXPECT_FALSE(DeleteReplay(folders, Encode(dir.path() + "game/record\\gone.txt"), sink));
    EXPECT_TRUE(sink.messages.empty());
}

TEST_F(ReplayFileRequests, RefusesFilesOutsideTheReplayFolders) {
    std::vector<std::string> outside = {
        dir.path() + "secret.txt",
        dir.path() + "game/record\\..\\..\\secret.txt",
        dir.path() + "game/collect/../config.ini",
        dir.path() + "game/record",
        "record/../../secret.txt",
        "c:" + dir.path() + "secret.txt",
    };
    ASSERT_EQ(symlink((dir.path() + "secret.txt").c_str(), (dir.path() + "game/record/link.txt").c_str()), 0);
    outside.push_back(dir.path() + "game/record/link.txt");

    for (const std::string& name : outside) {
        EXPECT_FALSE(DeleteReplay(folders, Encode(name), sink)) << name;
        EXPECT_FALSE(RequestReplay(folders, Encode(name), sink)) << name;
    }
    EXPECT_EQ(lmn::test::ReadTestFile(dir / "secret.txt"), "secret");
    EXPECT_TRUE(PathExists(dir / "game/config.ini"));
    EXPECT_TRUE(sink.messages.empty());
    EXPECT_TRUE(sink.pageTexts.empty());
}

TEST_F(ReplayFileRequests, SendsTheWholeContentOfARequestedReplay) {
    lmn::test::WriteTestFile(dir / "game/record/[x] vs [y]1.txt", std::string("a&b=c\nline\0zero", 15));
    EXPECT_TRUE(RequestReplay(folders, Encode("record\\[x] vs [y]1.txt"), sink));
    ASSERT_EQ(sink.pageTexts.size(), 1u);
    EXPECT_EQ(sink.pageTexts[0], "type=[record_request]&movie_data=" + std::string("a&b=c\nline\0zero", 15));
    EXPECT_FALSE(RequestReplay(folders, Encode("record\\[x] vs [y]2.txt"), sink));
    EXPECT_EQ(sink.pageTexts.size(), 1u);
}

}  // namespace
}  // namespace lmn::replays
