#include <gtest/gtest.h>

#include "paths.h"
#include "replay_recorder.h"
#include "temp_dir.h"

namespace lmn::replays {
namespace {

const Timestamp kBattleEnd{2009, 3, 4, 5, 6, 7};

TEST(ReplayRecorder, WritesTheDecodedPiecesUnderTheNamesAndTime) {
    lmn::test::TempDir dir;
    ReplayFolders folders(dir.path());
    ReplayRecorder recorder(folders);
    recorder.Start("alice", "bob");
    recorder.Append("turn[g2]1[g1]");
    recorder.Append("attack[g2]3");

    std::string path = recorder.Finish(kBattleEnd);

    EXPECT_EQ(path, dir / "record/[alice] vs [bob]20090304050607.txt");
    EXPECT_EQ(lmn::test::ReadTestFile(dir / "record/[alice] vs [bob]20090304050607.txt"), "turn 1^attack 3");
}

TEST(ReplayRecorder, ASecondEndWritesTheSameBufferAgainAndStartBeginsAfresh) {
    lmn::test::TempDir dir;
    ReplayFolders folders(dir.path());
    ReplayRecorder recorder(folders);
    recorder.Start("alice", "bob");
    recorder.Append("a[g1]b");
    recorder.Finish(kBattleEnd);
    recorder.Finish({2009, 3, 4, 5, 7, 0});

    EXPECT_EQ(lmn::test::ReadTestFile(dir / "record/[alice] vs [bob]20090304050607.txt"), "a^b");
    EXPECT_EQ(lmn::test::ReadTestFile(dir / "record/[alice] vs [bob]20090304050700.txt"), "a^b");

    recorder.Start("carol", "dave");
    recorder.Append("x");
    recorder.Finish(kBattleEnd);
    EXPECT_EQ(lmn::test::ReadTestFile(dir / "record/[carol] vs [dave]20090304050607.txt"), "x");
}

TEST(ReplayRecorder, NamesCannotLeadOutOfTheRecordFolder) {
    lmn::test::TempDir dir;
    ReplayFolders folders(dir.path() + "game/");
    ReplayRecorder recorder(folders);
    recorder.Start("../../evil", "..\\x");
    recorder.Append("data");

    std::string path = recorder.Finish(kBattleEnd);

    EXPECT_EQ(path, dir / "game/record/[.._.._evil] vs [.._x]20090304050607.txt");
    EXPECT_EQ(lmn::test::ReadTestFile(path), "data");
    EXPECT_FALSE(PathExists(dir / "evil] vs [.._x]20090304050607.txt"));
}

TEST(ReplayRecorder, AnUnwritableFolderGivesNoPath) {
    lmn::test::TempDir dir;
    lmn::test::WriteTestFile(dir / "record", "a file where the folder should be");
    ReplayFolders folders(dir.path());
    ReplayRecorder recorder(folders);
    recorder.Start("alice", "bob");
    EXPECT_EQ(recorder.Finish(kBattleEnd), "");
}

}  // namespace
}  // namespace lmn::replays
