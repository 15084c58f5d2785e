// Replays through the page's commands: recording a battle, collecting, listing, deleting.
#include <gtest/gtest.h>

#include "paths.h"
#include "shell_fixture.h"
#include "text.h"

namespace lmn::shell::test {
namespace {

class ReplayCommandsTest : public ShellFixture {
  protected:
    void SetUp() override {
        OpenToClientPage();
        dlg->replays().SetClock([] { return replays::Timestamp{2009, 3, 4, 5, 6, 7}; });
        host.scripts.clear();
    }

    void RecordBattle() {
        PageSends("[game_record]&type1=[save_start]&username1=Alice&username2=Bob");
        PageSends("[game_record]&type1=[save]&movie=Turn[g2]1[g1]");
        PageSends("[game_record]&type1=[save]&movie=deal[g2]3");
        PageSends("[game_record]&type1=[save_end]");
    }
};

TEST_F(ReplayCommandsTest, ABattleIsStoredUnderThePlayersAndTheTime) {
    RecordBattle();
    EXPECT_EQ(lmn::test::ReadTestFile(dir / "record/[alice] vs [bob]20090304050607.txt"), "turn 1^deal 3");

    dlg->replays().SetClock([] { return replays::Timestamp{2009, 3, 4, 5, 9, 0}; });
    PageSends("[game_record]&type1=[save_end]");
    EXPECT_EQ(lmn::test::ReadTestFile(dir / "record/[alice] vs [bob]20090304050900.txt"), "turn 1^deal 3");
}

TEST_F(ReplayCommandsTest, RecordingSwitchedOffWritesNothing) {
    dlg->context().state().config.bSaveMovieRecord = 0;
    RecordBattle();
    EXPECT_FALSE(PathExists(dir / "record"));
}

TEST_F(ReplayCommandsTest, CollectingTwiceSaysSoAndWritesNothingTheSecondTime) {
    server.Reply("type=[record_collect]&id=9",
                 "username1=Carol&username2=Dave&saveTime=2010-11-12 13:14:15&movie_data=a^b");
    PageSends("[record_collect]&id=9");
    std::string path = dir / "collect/[carol] vs [dave]20101112131415.txt";
    EXPECT_EQ(lmn::test::ReadTestFile(path), "a^b");
    EXPECT_EQ(PageTexts(), std::vector<std::string>{
                               "type=[record_collect_add]&username1=carol&username2=dave&filename=" + path});

    lmn::test::WriteTestFile(path, "kept");
    PageSends("[record_collect]&id=9");
    EXPECT_EQ(lmn::test::ReadTestFile(path), "kept");
    EXPECT_EQ(host.messages,
              (std::vector<std::string>{Utf8ToGbk("收藏成功"), Utf8ToGbk("您已经收藏过本录像了")}));
}

TEST_F(ReplayCommandsTest, AnUnreachableServerCollectsNothing) {
    PageSends("[record_collect]&id=9");
    EXPECT_FALSE(PathExists(dir / "collect/[] vs [].txt"));
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(ReplayCommandsTest, ListsShowsAndDeletesAnOwnReplay) {
    RecordBattle();
    PageSends("[my_record_all]");
    std::string name = "[alice] vs [bob]20090304050607.txt";
    std::string full = dir.path() + "record\\" + name;
    ASSERT_EQ(PageTexts(),
              std::vector<std::string>{"type=[record_my_add]&purefilename=" + name + "&filename=" + full});

    std::string encoded = ReplaceAll(ReplaceAll(full, "\\", "[g1]"), " ", "[g2]");
    host.scripts.clear();
    PageSends("[record_request]&filename=" + encoded);
    EXPECT_EQ(PageTexts(), std::vector<std::string>{"type=[record_request]&movie_data=turn 1^deal 3"});

    PageSends("[my_record_del]&filename=" + encoded);
    EXPECT_FALSE(PathExists(dir / ("record/" + name)));
    EXPECT_EQ(host.messages, std::vector<std::string>{Utf8ToGbk("删除成功")});
}

TEST_F(ReplayCommandsTest, FilesOutsideTheReplayFoldersAreNeitherDeletedNorSent) {
    lmn::test::WriteTestFile(dir / "config.ini", "[common]");
    std::string encoded = ReplaceAll(dir.path() + "record\\..\\config.ini", "\\", "[g1]");
    PageSends("[record_del]&filename=" + encoded);
    PageSends("[record_request]&filename=" + encoded);
    EXPECT_TRUE(PathExists(dir / "config.ini"));
    EXPECT_TRUE(host.messages.empty());
    EXPECT_TRUE(host.scripts.empty());
}

}  // namespace
}  // namespace lmn::shell::test
