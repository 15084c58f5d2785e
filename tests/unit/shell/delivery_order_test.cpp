// When the client delivers: commands and packages are handled one at a time in arrival order,
// on the turn of the event loop after they arrive, never inside the browser's event call and
// never inside another handler's message box; page texts flow as soon as the page is ready;
// no delivery timer runs while there is nothing to deliver.
#include <gtest/gtest.h>

#include <algorithm>

#include "message_types.h"
#include "package_reader.h"
#include "shell_fixture.h"
#include "text.h"
#include "timer_table.h"

namespace lmn::shell::test {
namespace {

using namespace lmn::net;

class Delivery : public ShellFixture {
  protected:
    // Logged in as 42, in room 3 with its connection up.
    void InRoom() {
        OpenToClientPage();
        PageSends("[userinfo]&userinfo=userid[marlowen]42;username[marlowen]Ann;");
        EnterRoomConnected();
        room.sent.clear();
        host.scripts.clear();
        log.clear();
    }
    void InRelayedGame() {
        InRoom();
        PackageWriter setup(MSG_SRV_GAME_SETUP);
        setup.int32(1).string("1;2").string("3;4").int32(77);
        RoomSends(setup);
        PageSends("[game_client_loadover]");
        room.sent.clear();
        host.scripts.clear();
        log.clear();
    }
    // A package arrives from the room server; nothing is handled yet.
    void Arrives(PackageWriter& package) {
        auto bytes = package.seal();
        std::vector<std::uint8_t> data(bytes.begin(), bytes.end());
        data.insert(data.end(), {0, 0, 0, 0});
        dlg->OnNetEvent(NetEvent{NET_DATA, roomHandle, std::move(data)});
    }
    static PackageWriter Notice(const std::string& text) {
        PackageWriter notice(MSG_SRV_NOTICE);
        notice.string(text);
        return notice;
    }
    static PackageWriter Invitation(int inviter) {
        PackageWriter invite(MSG_SRV_INVITE);
        invite.int32(inviter).string("p" + std::to_string(inviter)).int32(42).string("report");
        return invite;
    }
    std::vector<std::string> Logged(const std::string& prefix) const {
        std::vector<std::string> lines;
        for (const auto& line : log)
            if (line.rfind(prefix, 0) == 0) lines.push_back(line.substr(prefix.size()));
        return lines;
    }
    std::vector<std::int32_t> SentTypes() const {
        std::vector<std::int32_t> types;
        for (const auto& s : room.sent) types.push_back(PackageReader(s.bytes).type());
        return types;
    }
};

TEST_F(Delivery, AnIdleClientRunsNoDeliveryTimerAndWorkIsDoneOnTheNextTurn) {
    OpenToClientPage();
    host.Advance(60000);
    EXPECT_FALSE(host.TimerActive(kTimerCommandDrain));
    EXPECT_FALSE(host.TimerActive(kTimerPageTextPump));
    EXPECT_FALSE(host.TimerActive(kTimerOpponentAnswer));

    const size_t before = host.scripts.size();
    EXPECT_TRUE(dlg->OnBeforeNavigate("http://lmnkx-cmd/[get_setting]"));
    EXPECT_EQ(host.scripts.size(), before) << "not inside the browser's event call";
    EXPECT_TRUE(host.TimerActive(kTimerCommandDrain));
    host.Advance(0);
    EXPECT_EQ(host.scripts.size(), before + 1) << "the very next turn, no 10 ms wait";
    EXPECT_FALSE(host.TimerActive(kTimerCommandDrain)) << "stops once the queue is empty";

    // Page texts: held while the page is not ready, then delivered on the next turn.
    dlg->context().QueuePageText("type=[game_deal]&a=1");
    host.Advance(1000);
    EXPECT_FALSE(host.TimerActive(kTimerPageTextPump));
    EXPECT_EQ(host.scripts.size(), before + 1);
    PageSends("[game_client_loadover]");
    dlg->context().QueuePageText("type=[game_deal]&a=2");
    EXPECT_TRUE(host.TimerActive(kTimerPageTextPump));
    host.Advance(0);
    const auto texts = PageTexts();
    ASSERT_EQ(texts.size(), before + 3);
    EXPECT_EQ(texts[before + 1], "type=[game_deal]&a=1");
    EXPECT_EQ(texts[before + 2], "type=[game_deal]&a=2");
    EXPECT_FALSE(host.TimerActive(kTimerPageTextPump));
    EXPECT_EQ(host.pauses, 0);
}

TEST_F(Delivery, WhatArrivesWhileABoxIsOpenWaitsBehindTheRestOfTheBatch) {
    InRoom();
    // One batch from the transport: a notice, then another notice, then a battle list change.
    PackageWriter first = Notice("first"), second = Notice("second");
    Arrives(first);
    Arrives(second);
    // The first box's nested event loop: a package and a command arrive, time passes.
    host.whileMessageOpen = [&] {
        PackageWriter third = Notice("third");
        Arrives(third);
        EXPECT_TRUE(dlg->OnBeforeNavigate("http://lmnkx-cmd/[get_setting]"));
        host.Advance(50);
        EXPECT_EQ(host.messages, std::vector<std::string>{"first"}) << "nothing overtakes the open box";
        EXPECT_TRUE(host.scripts.empty());
    };
    host.Advance(0);
    EXPECT_EQ(host.messages, (std::vector<std::string>{"first", "second", "third"}));
    EXPECT_EQ(host.mostMessagesOpen, 1);
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.back().rfind("script type=[setting]&", 0), 0u)
        << "the command after the packages before it";
    EXPECT_TRUE(dlg->inputs().Empty());
}

TEST_F(Delivery, ASecondInvitationIsAskedAfterTheFirstIsAnsweredAndBothGetTheirAnswer) {
    InRoom();
    host.messageAnswers = {MessageAnswer::No, MessageAnswer::No};
    PackageWriter one = Invitation(7);
    Arrives(one);
    host.whileMessageOpen = [&] {
        PackageWriter two = Invitation(8);
        Arrives(two);
        host.Advance(10);
        EXPECT_TRUE(room.sent.empty()) << "the second waits for the first answer";
    };
    host.Advance(0);
    EXPECT_EQ(host.mostMessagesOpen, 1);
    EXPECT_EQ(host.messages.size(), 2u);
    ASSERT_EQ(SentTypes(), (std::vector<std::int32_t>{MSG_SRV_INVITE_REPLY, MSG_SRV_INVITE_REPLY}));
    PackageReader a(room.sent[0].bytes), b(room.sent[1].bytes);
    EXPECT_EQ(a.readInt32(), 7);
    EXPECT_EQ(b.readInt32(), 8);
}

TEST_F(Delivery, ASecondRestartQuestionIsAskedAfterTheFirstAndBothAreAnswered) {
    InRelayedGame();
    host.messageAnswers = {MessageAnswer::No, MessageAnswer::No};
    PackageWriter ask(MSG_RESTART_ASK);
    Arrives(ask);
    host.whileMessageOpen = [&] {
        PackageWriter again(MSG_RESTART_ASK), deal(MSG_GAME_DEAL);
        deal.string("type=[game_deal]&late=1");
        Arrives(again);
        Arrives(deal);
        host.Advance(30);
        EXPECT_TRUE(PageTexts().empty()) << "the battle action waits behind the question";
    };
    host.Advance(0);
    const std::string question = Utf8ToGbk("对方发现程序错误，申请本局重新开始，您同意吗？");
    EXPECT_EQ(host.messages, (std::vector<std::string>{question, question}));
    EXPECT_EQ(host.mostMessagesOpen, 1);
    EXPECT_EQ(SentTypes(), (std::vector<std::int32_t>{MSG_RESTART_REPLY, MSG_RESTART_REPLY}));
    host.Advance(50);
    EXPECT_EQ(PageTexts(), std::vector<std::string>{"type=[game_deal]&late=1"});
}

TEST_F(Delivery, AGameTimerThatExpiresInsideABoxTakesItsTurnAfterIt) {
    InRelayedGame();
    PackageWriter over(MSG_SRV_GAME_OVER), ask(MSG_RESTART_ASK);
    Arrives(over);  // starts the one-second grace for the page's own end of the game
    Arrives(ask);
    host.messageAnswers = {MessageAnswer::No};
    host.whileMessageOpen = [&] {
        host.Advance(3000);
        EXPECT_EQ(host.messages.size(), 1u) << "no second box over the open one";
    };
    host.Advance(0);
    const std::string question = Utf8ToGbk("对方发现程序错误，申请本局重新开始，您同意吗？");
    EXPECT_EQ(host.messages, (std::vector<std::string>{question, Utf8ToGbk("对方断线")}));
    EXPECT_EQ(host.mostMessagesOpen, 1);
    EXPECT_EQ(host.navigations.back(), "http://127.0.0.1/game/zrk/p2pgame.php");
}

TEST_F(Delivery, CommandsFromTheNestedLoopOfACommandsOwnBoxWait) {
    InRelayedGame();
    host.messageAnswers = {MessageAnswer::No};
    EXPECT_TRUE(dlg->OnBeforeNavigate("http://lmnkx-cmd/[game_request_restart]"));
    host.whileMessageOpen = [&] {
        EXPECT_TRUE(dlg->OnBeforeNavigate("http://lmnkx-cmd/type=[game_deal]&n=1"));
        host.Advance(20);
        EXPECT_TRUE(room.sent.empty());
    };
    host.Advance(0);
    ASSERT_EQ(SentTypes(), std::vector<std::int32_t>{MSG_GAME_DEAL});
    EXPECT_EQ(PackageReader(room.sent[0].bytes).readString(), "type=[game_deal]&n=1");
}

TEST_F(Delivery, CommandsWaitUntilTheClientPagesLobbyAnswersAreIn) {
    server.Reply("[get_out_ip]", "203.0.113.9");
    server.Reply("[get_srv_ip]", "RequestIpInterval=600&IP=10.9.9.9");
    host.holdBackground = true;
    OpenToClientPage();
    ASSERT_EQ(host.navigations.size(), 1u) << "the client page is asked for at once";
    ASSERT_EQ(host.background.size(), 1u);
    EXPECT_TRUE(server.Fetched().empty());

    PageSends("[enter_room]&id=6");
    PageSends("[setting_test_out_ip]");
    EXPECT_EQ(dlg->context().state().room.kind, 0) << "handled before the lobby answered";
    EXPECT_TRUE(host.scripts.empty());

    host.RunBackground();
    host.Advance(0);
    EXPECT_EQ(dlg->context().state().room.kind, 6);
    EXPECT_NE(std::find(log.begin(), log.end(), "connect 10.9.9.9:20000"), log.end())
        << "the room command saw the room server's address";
    ASSERT_EQ(host.scripts.size(), 1u);
    EXPECT_EQ(dlg->context().state().outsideIp, "203.0.113.9");
}

}  // namespace
}  // namespace lmn::shell::test
