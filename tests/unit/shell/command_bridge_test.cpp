#include <gtest/gtest.h>

#include <set>

#include "command_queue.h"
#include "command_table.h"
#include "shell_fixture.h"
#include "text.h"
#include "timer_table.h"

namespace lmn::shell::test {
namespace {

std::vector<std::string_view> Words(std::string_view text) {
    std::vector<std::string_view> words;
    for (const CommandRow* row : MatchingCommandRows(text)) words.push_back(row->word);
    return words;
}

TEST(CommandTable, ThirtySixDistinctWordsNoneInsideAnother) {
    auto table = CommandTable();
    ASSERT_EQ(table.size(), 36u);
    EXPECT_EQ(table.front().word, "[auto_group]");
    EXPECT_EQ(table.back().word, "[quit_watch]");
    std::set<std::string_view> seen;
    for (const CommandRow& row : table) {
        EXPECT_TRUE(seen.insert(row.word).second) << row.word;
        EXPECT_EQ(Words(row.word), std::vector<std::string_view>{row.word})
            << "a text with only " << row.word;
    }
}

TEST(CommandTable, RowsMatchAnywhereAndRunInTableOrder) {
    EXPECT_EQ(Words("[record_del]&filename=x[record_all]"),
              (std::vector<std::string_view>{"[record_all]", "[record_del]"}));
    EXPECT_EQ(Words("[my_record_all]"), std::vector<std::string_view>{"[my_record_all]"});
    EXPECT_EQ(Words("[x]&content=say [watch] now"), std::vector<std::string_view>{"[watch]"})
        << "a word inside an argument value counts";
    EXPECT_TRUE(Words("[Get_Setting]").empty()) << "the search is case-sensitive";
    EXPECT_TRUE(Words("type=[unknown]&a=1").empty());
}

TEST(CommandQueue, CommandHostIsRemovedEverywhereInTheText) {
    EXPECT_EQ(StripCommandHost("http://lmnkx-cmd/[get_setting]"), "[get_setting]");
    EXPECT_EQ(StripCommandHost("http://lmnkx-cmd/[a]http://lmnkx-cmd/[b]"), "[a][b]");
}

using Dispatch = ShellFixture;

TEST_F(Dispatch, TwoWordsInOneTextRunBothInTableOrder) {
    OpenToClientPage();
    log.clear();
    PageSends("[return_hall]&x=1[get_setting]");
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[0].rfind("script type=[setting]&", 0), 0u) << log[0];
    EXPECT_EQ(log[1], "navigate http://127.0.0.1/game/zrk/p2pgame.php");
}

TEST_F(Dispatch, CommandsCaughtInOneTickAreAllHandledInThatTickInArrivalOrder) {
    OpenToClientPage();
    host.Advance(9);  // just after a drain
    log.clear();
    EXPECT_TRUE(
        dlg->OnBeforeNavigate("http://lmnkx-cmd/[change_base_url]&url=HTTP://Other.Example/game/zrk/"));
    EXPECT_TRUE(dlg->OnBeforeNavigate("http://lmnkx-cmd/[return_hall]"));
    EXPECT_TRUE(log.empty()) << "nothing runs inside the browser's own event";
    host.Advance(10);
    EXPECT_EQ(log, (EventLog{"navigate http://other.example/game/zrk/p2pgame.php"}));
    EXPECT_TRUE(dlg->inputs().Empty());
}

TEST_F(Dispatch, ABurstOfCommandsIsDispatchedCompletelyAndInOrder) {
    OpenToClientPage();
    log.clear();
    for (int i = 0; i < 200; ++i) {
        dlg->OnBeforeNavigate("http://lmnkx-cmd/[change_base_url]&url=http://h/" + std::to_string(i) + "/");
        dlg->OnBeforeNavigate("http://lmnkx-cmd/[enter_room]&id=1");
        dlg->OnBeforeNavigate("http://lmnkx-cmd/[return_hall]");
    }
    host.Advance(10);
    ASSERT_EQ(host.navigations.size(), 201u);
    for (int i = 0; i < 200; ++i)
        EXPECT_EQ(host.navigations[i + 1], "http://h/" + std::to_string(i) + "/p2pgame.php");
    EXPECT_EQ(host.pauses, 0) << "commands are handled without a pause";
}

TEST_F(Dispatch, CommandsBehindAMenuWaitUntilItIsClosed) {
    OpenToClientPage();
    size_t scriptsWhileOpen = 0;
    host.whileMenuOpen = [&] {
        host.Advance(50);  // timers keep running while the menu is open
        scriptsWhileOpen = host.scripts.size();
    };
    dlg->OnBeforeNavigate("http://lmnkx-cmd/[context_menu]");
    dlg->OnBeforeNavigate("http://lmnkx-cmd/[get_setting]");
    const size_t before = host.scripts.size();
    host.Advance(10);
    EXPECT_EQ(scriptsWhileOpen, before);
    EXPECT_EQ(host.scripts.size(), before + 1);
}

TEST_F(Dispatch, PairingCommandsStopAPendingOpponentRequestFirst) {
    OpenToClientPage();
    for (const char* command : {"[auto_group]&oppoentID=3", "[cancel_auto_group]"}) {
        host.StartTimer(kTimerOpponentRequest, 3000);
        PageSends(command);
        EXPECT_FALSE(host.TimerActive(kTimerOpponentRequest)) << command;
    }
    host.StartTimer(kTimerOpponentRequest, 3000);
    PageSends("[get_setting]");
    EXPECT_TRUE(host.TimerActive(kTimerOpponentRequest));
}

TEST_F(Dispatch, UnknownTextsDoNothingAndEveryRowCanRun) {
    OpenToClientPage();
    log.clear();
    PageSends("type=[nothing]&a=1");
    EXPECT_TRUE(log.empty());
    for (const CommandRow& row : CommandTable()) {
        if (row.word == "[context_menu]") continue;  // shows a menu, tested on its own
        dlg->DispatchCommand(std::string(row.word) + "&id=1&filename=x");
    }
    // Only the rows that ask the player something show a message: invitation, rematch, restart.
    EXPECT_EQ(host.messages,
              (std::vector<std::string>{
                  Utf8ToGbk("确定要向对方玩家申请再战一局吗?"),
                  Utf8ToGbk("本功能主要用于人人对战发生程序错误时向对方申请重新开局，您确认要申请吗？"),
                  Utf8ToGbk("确定邀请对方玩家人人对战吗?")}));
    // Only the card maker rows start a program, and only the card maker.
    EXPECT_EQ(host.startedPrograms.size(), 3u);
    for (const auto& started : host.startedPrograms)
        EXPECT_EQ(started.rfind(dir / "LMN_KX_Maker.exe ", 0), 0u) << started;
    EXPECT_EQ(host.quitCode, -1);
}

}  // namespace
}  // namespace lmn::shell::test
