#include <gtest/gtest.h>

#include "menus.h"
#include "shell_fixture.h"
#include "text.h"

namespace lmn::shell::test {
namespace {

using RoomAndMenu = ShellFixture;

TEST_F(RoomAndMenu, EnterRoomRemembersTheRoomAndConnectsToTheRoomServer) {
    server.Reply("[get_srv_ip]", "RequestIpInterval=600&IP=10.9.9.9");
    OpenToClientPage();
    log.clear();
    PageSends("[enter_room]&id=6&serverid=2&servername=East&baseurl=http://Room/");
    const RoomState& room = dlg->context().state().room;
    EXPECT_EQ(room.kind, 6);
    EXPECT_EQ(room.serverId, 2);
    EXPECT_EQ(room.serverName, "east");
    EXPECT_EQ(room.baseUrl, "http://room/");
    EXPECT_EQ(log, EventLog{"connect 10.9.9.9:20000"});
}

TEST_F(RoomAndMenu, ReturnHallLeavesTheRoomForTheHallOfItsKind) {
    OpenToClientPage();
    PageSends("[enter_room]&id=6");
    log.clear();
    PageSends("[return_hall]");
    EXPECT_EQ(log, (EventLog{"close 1", "navigate http://127.0.0.1/game/zrk/battle_mode_main.php"}));
    EXPECT_EQ(dlg->context().state().room.kind, 0);
    EXPECT_EQ(dlg->game().RoomHandle(), kNoConnection);

    PageSends("[enter_room]&id=3");
    PageSends("[return_hall]");
    EXPECT_EQ(host.navigations.back(), "http://127.0.0.1/game/zrk/p2pgame.php");
    log.clear();
    PageSends("[return_hall]");
    EXPECT_EQ(log, EventLog{"navigate http://127.0.0.1/game/zrk/p2pgame.php"}) << "no room: nothing to close";
}

TEST_F(RoomAndMenu, EnteringAnotherRoomClosesTheFirstConnection) {
    OpenToClientPage();
    PageSends("[enter_room]&id=1");
    log.clear();
    PageSends("[enter_room]&id=2");
    EXPECT_EQ(log, (EventLog{"close 1", "connect 127.0.0.1:20000"}));
}

TEST_F(RoomAndMenu, ARoomConnectionTheServerEndedIsNotClosedAgainOnLeaving) {
    OpenToClientPage();
    EnterRoomConnected();
    ASSERT_TRUE(dlg->game().RoomConnected());
    TransportReports(net::NetEvent{net::NET_CLOSED, roomHandle, {}});
    EXPECT_FALSE(dlg->game().RoomConnected());
    EXPECT_TRUE(host.messages.empty()) << "a room closed outside a game is no failed entry";
    log.clear();
    PageSends("[return_hall]");
    EXPECT_EQ(log, EventLog{"navigate http://127.0.0.1/game/zrk/p2pgame.php"});
}

TEST_F(RoomAndMenu, ChangedBaseUrlIsLowerCasedUsedEverywhereAndNotSaved) {
    OpenToClientPage();
    PageSends("[change_base_url]&url=HTTP://Mirror.Example/Game/ZRK/");
    EXPECT_EQ(dlg->context().BaseUrl(), "http://mirror.example/game/zrk/");
    dlg->OnMenuCommand(kCmdOpenBbs);
    EXPECT_EQ(host.openedInBrowser.back(), "http://mirror.example/game/zrk/bbs.php");
    PageSends("[save_setting]&bMusic=1&bSound=1&bVoice=1&bSaveRecord=1");
    EXPECT_EQ(LoadConfig(dir / "config.ini").strUrl, "http://127.0.0.1/game/zrk/");
}

TEST_F(RoomAndMenu, ContextMenuRunsTheChosenItem) {
    OpenToClientPage();
    PageSends("[enter_room]&id=5");
    host.menuAnswers = {kCmdPlayerHall};
    log.clear();
    PageSends("[context_menu]");
    EXPECT_EQ(log, (EventLog{"menu RMENU", "close 1", "navigate http://127.0.0.1/game/zrk/p2pgame.php"}));

    const std::string base = "http://127.0.0.1/game/zrk/";
    const std::pair<int, std::string> pages[] = {{kCmdHome, "index.php"}, {kCmdComputerHall, "task.php"}};
    for (const auto& [command, page] : pages) {
        host.menuAnswers = {command};
        PageSends("[context_menu]");
        EXPECT_EQ(host.navigations.back(), base + page);
    }
    const std::pair<int, std::string> outside[] = {
        {kCmdOpenBaike, "baike.php"}, {kCmdOpenBbs, "bbs.php"}, {kCmdOpenHelp, "help.php"}};
    for (const auto& [command, page] : outside) {
        host.menuAnswers = {command};
        PageSends("[context_menu]");
        EXPECT_EQ(host.openedInBrowser.back(), base + page);
    }
    host.menuAnswers = {kCmdAboutPage};
    PageSends("[context_menu]");
    EXPECT_EQ(host.aboutPages, std::vector<std::string>{base + "about.php?version=4.62&path=" + dir.path()});

    const size_t navigations = host.navigations.size();
    host.menuAnswers = {0};
    PageSends("[context_menu]");
    EXPECT_EQ(host.navigations.size(), navigations) << "closing the menu without a choice does nothing";
}

TEST(Menus, ItemsAndCommandsAreFixed) {
    const Menu& right = RightClickMenu();
    EXPECT_EQ(right.name, "RMENU");
    std::vector<int> commands;
    for (const MenuItem& item : right.items) commands.push_back(item.command);
    EXPECT_EQ(commands, (std::vector<int>{32771, 32772, 32773, 0, 32774, 32775, 32776, 0, 32777, 32778, 32779,
                                          0, 32780}));
    EXPECT_EQ(GbkToUtf8(right.items.front().text), "返回首页");
    EXPECT_EQ(GbkToUtf8(right.items.back().text), "关于");
    const Menu& tray = TrayMenu();
    EXPECT_EQ(tray.name, "TRAY_POPUP");
    ASSERT_EQ(tray.items.size(), 3u);
    EXPECT_EQ(GbkToUtf8(tray.items[0].text), "显示");
    EXPECT_EQ(tray.items[1].command, 0);
    EXPECT_EQ(GbkToUtf8(tray.items[2].text), "退出");
}

}  // namespace
}  // namespace lmn::shell::test
