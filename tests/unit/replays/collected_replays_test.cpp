#include "collected_replays.h"

#include <gtest/gtest.h>

#include "paths.h"
#include "recording_sink.h"
#include "temp_dir.h"
#include "text.h"

namespace lmn::replays {
namespace {

using lmn::replays::testing::RecordingSink;

const CollectReply kReply{"alice", "bob", "2009-03-04 05:06:07", "replay^data"};

TEST(CollectedReplays, StoresTheServersReplayAndTellsThePage) {
    lmn::test::TempDir dir;
    ReplayFolders folders(dir.path());
    RecordingSink sink;

    EXPECT_EQ(CollectedReplays(folders, sink).Store(kReply), CollectOutcome::Stored);

    std::string path = dir / "collect/[alice] vs [bob]20090304050607.txt";
    EXPECT_EQ(lmn::test::ReadTestFile(path), "replay^data");
    ASSERT_EQ(sink.pageTexts.size(), 1u);
    EXPECT_EQ(sink.pageTexts[0], "type=[record_collect_add]&username1=alice&username2=bob&filename=" + path);
    EXPECT_EQ(sink.messages, std::vector<std::string>{Utf8ToGbk("收藏成功")});
}

TEST(CollectedReplays, CollectingTwiceSaysSoAndWritesNothing) {
    lmn::test::TempDir dir;
    ReplayFolders folders(dir.path());
    RecordingSink sink;
    CollectedReplays collection(folders, sink);
    collection.Store(kReply);
    sink = {};

    CollectReply again = kReply;
    again.movieData = "other data";
    EXPECT_EQ(collection.Store(again), CollectOutcome::AlreadyCollected);

    EXPECT_EQ(lmn::test::ReadTestFile(dir / "collect/[alice] vs [bob]20090304050607.txt"), "replay^data");
    EXPECT_TRUE(sink.pageTexts.empty());
    EXPECT_EQ(sink.messages, std::vector<std::string>{Utf8ToGbk("您已经收藏过本录像了")});
}

TEST(CollectedReplays, AnAnswerWithoutReplayDataCreatesNothing) {
    lmn::test::TempDir dir;
    ReplayFolders folders(dir.path());
    RecordingSink sink;

    EXPECT_EQ(CollectedReplays(folders, sink).Store({}), CollectOutcome::NoReplayData);

    EXPECT_FALSE(PathExists(dir / "collect/[] vs [].txt"));
    EXPECT_TRUE(sink.pageTexts.empty());
    EXPECT_TRUE(sink.messages.empty());
}

TEST(CollectedReplays, ServerNamesCannotLeadOutOfTheCollectFolder) {
    lmn::test::TempDir dir;
    ReplayFolders folders(dir.path() + "game/");
    RecordingSink sink;

    CollectedReplays(folders, sink).Store({"../../x", "a\\..\\..\\y", "2009/01/01", "data"});

    EXPECT_EQ(lmn::test::ReadTestFile(dir / "game/collect/[.._.._x] vs [a_.._.._y]2009_01_01.txt"), "data");
    EXPECT_EQ(sink.messages, std::vector<std::string>{Utf8ToGbk("收藏成功")});
}

TEST(CollectedReplays, ListsEveryCollectedReplayWithTheNamesFromItsFileName) {
    lmn::test::TempDir dir;
    ReplayFolders folders(dir.path());
    lmn::test::WriteTestFile(dir / "collect/[alice] vs [bob]20090304050607.txt", "1");
    lmn::test::WriteTestFile(dir / "collect/notes.TXT", "2");
    lmn::test::WriteTestFile(dir / "collect/.hidden.txt", "3");
    lmn::test::WriteTestFile(dir / "collect/cover.jpg", "4");
    lmn::test::WriteTestFile(dir / "collect/folder.txt/inside.txt", "5");
    RecordingSink sink;

    CollectedReplays(folders, sink).ListAll();

    std::vector<std::string> texts = sink.pageTexts;
    std::sort(texts.begin(), texts.end());
    std::string folder = dir.path() + "collect\\";
    EXPECT_EQ(texts, (std::vector<std::string>{
                         "type=[record_collect_add]&username1=&username2=&filename=" + folder + "notes.TXT",
                         "type=[record_collect_add]&username1=alice&username2=bob&filename=" + folder +
                             "[alice] vs [bob]20090304050607.txt",
                     }));
    EXPECT_GE(sink.pausedMs, 5);
}

TEST(CollectedReplays, NoCollectFolderListsNothing) {
    lmn::test::TempDir dir;
    ReplayFolders folders(dir.path());
    RecordingSink sink;
    CollectedReplays(folders, sink).ListAll();
    EXPECT_TRUE(sink.pageTexts.empty());
}

}  // namespace
}  // namespace lmn::replays
