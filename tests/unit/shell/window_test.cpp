#include <gtest/gtest.h>

#include <thread>

#include "address_poll.h"
#include "fixed_values.h"
#include "menus.h"
#include "shell_fixture.h"
#include "timer_table.h"

namespace lmn::shell::test {
namespace {

using Window = ShellFixture;

TEST_F(Window, OpeningStartsTheFirstIntroTimerAndTheTrayIcon) {
    Open();
    EXPECT_TRUE(host.TimerActive(kTimerFirstIntro));
    EXPECT_TRUE(host.trayShown);
    host.Advance(5);
    EXPECT_FALSE(host.TimerActive(kTimerFirstIntro)) << "one-shot";
    EXPECT_FALSE(host.TimerActive(kTimerStartClientPage)) << "one-shot";
    // With nothing to deliver the window thread has no timer to wake it.
    EXPECT_FALSE(host.TimerActive(kTimerCommandDrain));
    EXPECT_FALSE(host.TimerActive(kTimerPageTextPump));
}

TEST_F(Window, ClosingHidesAndHotKeysToggleWindowAndTrayTogether) {
    OpenToClientPage();
    dlg->OnClose();
    EXPECT_FALSE(host.visible);
    EXPECT_TRUE(host.trayShown) << "the tray icon stays when the window is closed";
    EXPECT_EQ(host.quitCode, -1);

    dlg->OnTrayDoubleClick();
    EXPECT_TRUE(host.visible);
    dlg->OnHotKey(kHotKeyAltX);
    EXPECT_FALSE(host.visible);
    EXPECT_FALSE(host.trayShown);
    dlg->OnHotKey(kHotKeyAltF9);
    EXPECT_TRUE(host.visible);
    EXPECT_TRUE(host.trayShown);
    dlg->OnHotKey(1234);
    EXPECT_TRUE(host.visible);
}

TEST_F(Window, TrayMenuShowsTheWindowOrEndsTheProgram) {
    OpenToClientPage();
    dlg->OnClose();
    host.menuAnswers = {kCmdTrayShow};
    dlg->OnTrayRightClick();
    EXPECT_EQ(host.menusShown.back(), "TRAY_POPUP");
    EXPECT_TRUE(host.visible);
    EXPECT_EQ(host.quitCode, -1);

    log.clear();
    host.menuAnswers = {kCmdTrayQuit};
    dlg->OnTrayRightClick();
    EXPECT_EQ(log, (EventLog{"menu TRAY_POPUP", "music stop",
                             "fetch http://127.0.0.1/game/zrk/client_process/process.php?type=[login_out]"}));
    EXPECT_EQ(host.quitCode, 0);
}

TEST_F(Window, EnterKeyReachesTheBattlePageOnlyDuringABattleAndWaitsForItsLoadReport) {
    OpenToClientPage();
    EXPECT_FALSE(dlg->OnOk());
    EnterRoomConnected();
    net::PackageWriter setup(net::MSG_SRV_GAME_SETUP);
    setup.int32(1).string("1;2").string("3;4").int32(77);
    RoomSends(setup);
    EXPECT_TRUE(dlg->OnOk());
    dlg->context().state().pageTexts.Push("type=[game_deal]&type_d1=[x]");
    const size_t before = host.scripts.size();
    host.Advance(100);
    EXPECT_EQ(host.scripts.size(), before) << "the page has not reported that it is ready";
    PageSends("[game_client_loadover]");
    host.Advance(1);
    const auto texts = PageTexts();
    ASSERT_EQ(texts.size(), before + 2);
    EXPECT_EQ(texts[before], "type=[game_deal]&type_d1=[enter]");
    EXPECT_EQ(texts[before + 1], "type=[game_deal]&type_d1=[x]");
}

TEST_F(Window, EachClientPageRunStartsOneAddressPollAndEndingStopsThem) {
    OpenToClientPage();
    dlg->OnBeforeNavigate("http://h/game/zrk/index.php");
    host.Advance(2);
    host.menuAnswers = {kCmdTrayQuit};
    dlg->OnTrayRightClick();  // returns only once the loops' threads have ended
    EXPECT_EQ(host.quitCode, 0);
}

TEST(AddressPoll, OneRoundAppliesTheReplyBelowTheCurrentBaseUrl) {
    EventLog log;
    FakeServer server(log);
    LobbyShared lobby;
    lobby.SetBaseUrl("http://b/game/zrk/");
    server.Reply("[get_srv_ip]", "RequestIpInterval=45&IP=10.2.2.2");
    PollServerAddressOnce(server, lobby);
    EXPECT_EQ(server.Fetched(),
              std::vector<std::string>{"http://b/game/zrk/client_process/process.php?type=[get_srv_ip]"});
    EXPECT_EQ(lobby.RoomServerAddress(), "10.2.2.2");
    EXPECT_EQ(lobby.RefreshIntervalMs(), 45000);
}

TEST(AddressPoll, ReadersSeeOnlyWholeValuesWhileAPollWrites) {
    LobbyShared lobby;
    const std::string a = "RequestIpInterval=1&IP=" + std::string(200, 'a');
    const std::string b = "RequestIpInterval=2&IP=" + std::string(300, 'b');
    std::jthread writer([&](std::stop_token stop) {
        while (!stop.stop_requested()) {
            lobby.ApplyServerAddressReply(a);
            lobby.ApplyServerAddressReply(b);
        }
    });
    for (int i = 0; i < 20000; ++i) {
        const std::string seen = lobby.RoomServerAddress();
        ASSERT_TRUE(seen == "127.0.0.1" || seen == std::string(200, 'a') || seen == std::string(300, 'b'));
    }
}

}  // namespace
}  // namespace lmn::shell::test
