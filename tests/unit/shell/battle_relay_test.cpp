// The lobby, match set-up, battle relay and watching through the whole client core: page
// commands go in through the command bridge, packages through scripted transport events, and
// what leaves is read back from the fake transport and the fake page.
#include <gtest/gtest.h>

#include "message_types.h"
#include "package_reader.h"
#include "shell_fixture.h"
#include "text.h"
#include "timer_table.h"

namespace lmn::shell::test {
namespace {

using namespace lmn::net;

class Battle : public ShellFixture {
  protected:
    // Logged in as 42 "ann", in room 3 with its connection up.
    void InRoom() {
        OpenToClientPage();
        PageSends("[userinfo]&userinfo=userid[marlowen]42;username[marlowen]Ann;");
        EnterRoomConnected();
        room.sent.clear();
        host.scripts.clear();
    }
    // The packages sent so far, by type.
    std::vector<std::int32_t> SentTypes() const {
        std::vector<std::int32_t> types;
        for (const auto& s : room.sent) types.push_back(PackageReader(s.bytes).type());
        return types;
    }
    PackageReader Sent(size_t i) const { return PackageReader(room.sent.at(i).bytes); }
    // The relayed game against 77 as the side that received the set-up.
    void InRelayedGame(int senderFirst = 1) {
        InRoom();
        PackageWriter setup(MSG_SRV_GAME_SETUP);
        setup.int32(senderFirst).string("1;2").string("3;4").int32(77);
        RoomSends(setup);
        room.sent.clear();
    }
};

TEST_F(Battle, RepeatedUserInfoResendsTheShortLoginButKeepsThePresenceTimer) {
    OpenToClientPage();
    EnterRoomConnected();
    const long firstReport = host.Now();
    PageSends("[userinfo]&userinfo=userid[marlowen]42;username[marlowen]Ann;");  // handled 10 ms later
    host.Advance(300000);
    room.sent.clear();
    PageSends("[userinfo]&userinfo=userid[marlowen]42;username[marlowen]Bea;");
    EXPECT_EQ(dlg->context().state().userName, "bea");
    ASSERT_EQ(SentTypes(), std::vector<std::int32_t>{MSG_SRV_LOGIN});
    PackageReader login = Sent(0);
    EXPECT_EQ(login.readInt32(), 42);
    EXPECT_EQ(login.readString(), "bea");
    EXPECT_EQ(login.remaining(), 0u) << "the short form";
    // The timer started by the first report fires 600 s after it, not 600 s after the repeat.
    host.Advance(firstReport + 10 + 600000 - host.Now());
    dlg.reset();  // joins the report thread
    size_t reports = 0;
    for (const auto& url : server.Fetched())
        reports += url.find("[add_activep]&userid=42&ip=192.168.7.20") != std::string::npos;
    EXPECT_EQ(reports, 1u);
}

TEST_F(Battle, RoomListsReachOnlyTheRoomPage) {
    InRoom();
    host.currentUrl = "http://x/p2pgame.php";
    PackageWriter add(MSG_SRV_USER_ADD);
    add.string("5,bob");
    RoomSends(add);
    PackageWriter list(MSG_SRV_USER_LIST);
    list.int32(1).string("5,bob");
    RoomSends(list);
    EXPECT_EQ(PageTexts(), std::vector<std::string>{"type=[add_user_list]&userinfo=5,bob"})
        << "the add is dropped";
    host.scripts.clear();
    host.currentUrl = "http://x/battle_mode_field.php?room=3";
    RoomSends(add);
    PackageWriter matches(MSG_SRV_MATCH_LIST);
    matches.int32(1).string("5,6,bob,cy");
    RoomSends(matches);
    EXPECT_EQ(PageTexts(),
              (std::vector<std::string>{"type=[add_user_list]&userinfo=5,bob", "type=[clear_match_list]",
                                        "type=[add_match_list]&matchinfo=5,6,bob,cy"}));
}

TEST_F(Battle, InvitingOneselfIsRefusedAndSendsNothing) {
    InRoom();
    PageSends("[invite]&id=42");
    EXPECT_EQ(host.messages, std::vector<std::string>{Utf8ToGbk("不能邀请自己")});
    EXPECT_TRUE(room.sent.empty());
}

TEST_F(Battle, SetUpGivesExactlyOneFirstMoverAndHumanPagesFixedSeeds) {
    InRoom();
    PackageWriter start(MSG_SRV_MATCH_START);
    start.int32(77);
    RoomSends(start);
    ASSERT_EQ(SentTypes(), std::vector<std::int32_t>{MSG_SRV_GAME_SETUP});
    PackageReader setup = Sent(0);
    const int senderFirst = setup.readInt32();
    const std::string seeds1 = setup.readString();
    EXPECT_EQ(std::count(seeds1.begin(), seeds1.end(), ';'), 29);
    setup.readString();
    EXPECT_EQ(setup.readInt32(), 42);
    const std::string page = host.navigations.back();
    EXPECT_EQ(page, "http://127.0.0.1/game/zrk/gameclient_fc.php?first=" + std::to_string(senderFirst) +
                        "&roomid=3&userid1=42&userid2=77&seed1=100&seed2=200");

    // The receiving side of the same package takes the other flag.
    for (int flag : {0, 1}) {
        PackageWriter other(MSG_SRV_GAME_SETUP);
        other.int32(flag).string("1").string("2").int32(77);
        RoomSends(other);
        EXPECT_NE(host.navigations.back().find("?first=" + std::to_string(1 - flag) + "&"),
                  std::string::npos);
    }
}

TEST_F(Battle, ComputerGamesCarryTwoListsOfThirtyNumbers) {
    InRoom();
    PackageWriter ai(MSG_SRV_AI_GAME);
    ai.int32(999);
    RoomSends(ai);
    const std::string page = host.navigations.back();
    ASSERT_NE(page.find("&AI=1&roomid=3&userid1=42&userid2=999&seed1="), std::string::npos) << page;
    for (const char* key : {"seed1=", "seed2="}) {
        std::string list = page.substr(page.find(key) + 6);
        list = list.substr(0, list.find('&'));
        const auto numbers = Split(list, ';');
        ASSERT_EQ(numbers.size(), 30u) << list;
        for (const auto& n : numbers) EXPECT_TRUE(AtoI(n) >= 0 && AtoI(n) <= 99 && !n.empty()) << n;
    }
}

TEST_F(Battle, ActionsCrossBothWaysAndWaitForThePageInOrder) {
    InRelayedGame();
    PageSends(Utf8ToGbk("type=[game_deal]&n=1&say=你好"));
    ASSERT_EQ(SentTypes(), std::vector<std::int32_t>{MSG_GAME_DEAL});
    EXPECT_EQ(Sent(0).readString(), Utf8ToGbk("type=[game_deal]&n=1&say=你好"))
        << "the whole text, unchanged";
    EXPECT_EQ(room.sent[0].connection, roomHandle) << "relayed games go over the room connection";

    for (const char* text : {"type=[game_deal]&n=2", "type=[game_deal]&n=3"}) {
        PackageWriter deal(MSG_GAME_DEAL);
        deal.string(text);
        RoomSends(deal);
    }
    host.Advance(50);
    EXPECT_TRUE(host.scripts.empty()) << "the new page has not reported that it is ready";
    PageSends("[game_client_loadover]");
    host.Advance(1);
    EXPECT_EQ(PageTexts(), (std::vector<std::string>{"type=[game_deal]&n=2", "type=[game_deal]&n=3"}));
}

TEST_F(Battle, LoadHandshakeStartsBothPagesWhicheverLoadsFirst) {
    InRelayedGame();
    PageSends("[game_load_over]");
    EXPECT_EQ(SentTypes(), std::vector<std::int32_t>{MSG_SRV_LOAD_DONE});
    EXPECT_TRUE(host.scripts.empty());
    PackageWriter done(MSG_SRV_LOAD_DONE);
    RoomSends(done);
    EXPECT_EQ(PageTexts(), std::vector<std::string>{"type=[p2pgame_can_start]"});
}

TEST_F(Battle, ChatLinesNameTheSpeaker) {
    InRoom();
    PackageWriter chat(MSG_SRV_CHAT);
    chat.string("Ann").string("hello");
    RoomSends(chat);
    EXPECT_EQ(PageTexts(), std::vector<std::string>{"type=[battle_mode_chat]&content=[Ann]:hello"});
}

TEST_F(Battle, ANormalEndDeletesTheMatchAndTheOpponentsEndIsNoDisconnection) {
    InRelayedGame();
    PageSends("[game_end]");
    EXPECT_NE(server.Fetched().back().find("[delete_match]&userid1=42&userid2=77"), std::string::npos);
    EXPECT_EQ(SentTypes(), std::vector<std::int32_t>{MSG_SRV_GAME_OVER});
    PackageWriter over(MSG_SRV_GAME_OVER);
    RoomSends(over);
    host.Advance(2000);
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(host.navigations.back().find("p2pgame.php"), std::string::npos);
    EXPECT_FALSE(dlg->OnOk()) << "the game is over";

    // A rematch request is now answered.
    host.messageAnswers = {MessageAnswer::Ok};
    room.sent.clear();
    PackageWriter ask(MSG_SRV_REMATCH_ASK);
    RoomSends(ask);
    ASSERT_EQ(SentTypes(), std::vector<std::int32_t>{MSG_SRV_REMATCH_REPLY});
    EXPECT_EQ(Sent(0).readInt32(), 1);
}

TEST_F(Battle, TheOpponentsEndOvertakingTheLastActionWaitsForThePage) {
    InRelayedGame();
    PackageWriter over(MSG_SRV_GAME_OVER);
    RoomSends(over);
    host.Advance(500);
    PageSends("[game_end]");
    host.Advance(1000);
    EXPECT_TRUE(host.messages.empty());

    // Without the page's end it is a lost opponent.
    PackageWriter setup(MSG_SRV_GAME_SETUP);
    setup.int32(0).string("1").string("2").int32(77);
    RoomSends(setup);
    RoomSends(over);
    host.Advance(1000);
    EXPECT_EQ(host.messages, std::vector<std::string>{Utf8ToGbk("对方断线")});
    EXPECT_NE(server.Fetched().back().find("[quit_match]"), std::string::npos);
    EXPECT_EQ(host.navigations.back(), "http://127.0.0.1/game/zrk/p2pgame.php");
}

TEST_F(Battle, LosingTheRoomConnectionMidGameLeavesTheGame) {
    InRelayedGame();
    TransportReports(net::NetEvent{NET_CLOSED, roomHandle, {}});
    EXPECT_EQ(host.messages, std::vector<std::string>{Utf8ToGbk("与对方的连接断开")});
    EXPECT_EQ(host.navigations.back(), "http://127.0.0.1/game/zrk/p2pgame.php");
    EXPECT_EQ(dlg->context().state().room.connection, kNoConnection);
    EXPECT_FALSE(dlg->OnOk());
}

TEST_F(Battle, RefusingARestartSendsOnlyTheRefusal) {
    InRelayedGame();
    host.messageAnswers = {MessageAnswer::No};
    PackageWriter ask(MSG_RESTART_ASK);
    RoomSends(ask);
    ASSERT_EQ(SentTypes(), std::vector<std::int32_t>{MSG_RESTART_REPLY});
    EXPECT_EQ(Sent(0).readInt32(), 0);
    PackageWriter refused(MSG_RESTART_REPLY);
    refused.int32(0);
    RoomSends(refused);
    EXPECT_EQ(host.messages.back(), Utf8ToGbk("对方拒绝重新开始"));
    EXPECT_TRUE(dlg->OnOk()) << "the game goes on";
}

TEST_F(Battle, DirectLinkHelloWelcomeAndSetUp) {
    InRoom();
    const ConnectionId peer = 900, stranger = 901;
    PackageWriter hello(MSG_PEER_HELLO);
    hello.int32(77);
    RoomSends(hello, peer);
    ASSERT_EQ(SentTypes(), std::vector<std::int32_t>{MSG_PEER_WELCOME});
    EXPECT_EQ(room.sent[0].connection, peer);
    EXPECT_NE(server.Fetched().back().find("[auto_group]&arc=0"), std::string::npos);
    // A second connection's hello is ignored; the peer is kept.
    room.sent.clear();
    RoomSends(hello, stranger);
    EXPECT_TRUE(room.sent.empty());
    PackageWriter setup(MSG_GAME_SETUP);
    setup.int32(0).string("9").string("8");
    RoomSends(setup, peer);
    EXPECT_EQ(host.navigations.back(),
              "http://127.0.0.1/game/zrk/"
              "gameclient_fc.php?first=1&roomid=3&userid1=42&userid2=77&seed1=100&seed2=200");
    // Battle actions go to the peer; after the end it stays open one second.
    PageSends("type=[game_deal]&x=1");
    EXPECT_EQ(room.sent.back().connection, peer);
    log.clear();
    PageSends("[game_end]");
    host.Advance(900);
    EXPECT_EQ(std::count(log.begin(), log.end(), "close 900"), 0);
    host.Advance(200);
    EXPECT_EQ(std::count(log.begin(), log.end(), "close 900"), 1);
}

TEST_F(Battle, WatchStatesAreEscapedAndOnlyKeptForTheWatchPage) {
    InRoom();
    PageSends("[watch]&id1=7&id2=8");
    ASSERT_EQ(SentTypes(), std::vector<std::int32_t>{MSG_SRV_WATCH});
    PackageWriter state(MSG_SRV_WATCH_STATE);
    state.int32(7).string("a=1&b=2");
    host.currentUrl = "http://x/battle_mode_field.php";
    RoomSends(state);
    host.currentUrl = "http://x/watch_match.php?id1=7";
    RoomSends(state);
    PageSends("[game_client_loadover]");
    host.Advance(1);
    EXPECT_EQ(PageTexts(),
              std::vector<std::string>{"type=[watch_curstate]&firstID=7&GameDeal=a[deng]1[and]b[deng]2"});
}

TEST_F(Battle, WithoutARoomConnectionRoomCommandsSendNothing) {
    OpenToClientPage();
    PageSends("[watch]&id1=7&id2=8");
    PageSends("[battle_mode_chat]&content=hi");
    PageSends("[request_user_list]");
    EXPECT_TRUE(room.sent.empty());
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(Battle, ShortPackagesAreDroppedWithoutHarm) {
    InRoom();
    PackageWriter bad(MSG_SRV_INVITE);
    bad.int32(5);
    RoomSends(bad);
    EXPECT_TRUE(host.messages.empty());
    EXPECT_TRUE(room.sent.empty());
}

}  // namespace
}  // namespace lmn::shell::test
