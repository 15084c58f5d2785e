// The game core's lobby and set-up steps with a fake window and a fake transport: room
// connection events, pairing, invitations on both sides with their address reports, the relay
// of failed lobby requests, the direct link and the opponent request.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "fake_game_env.h"
#include "game_client.h"
#include "message_types.h"
#include "text.h"

namespace lmn::game::test {
namespace {

using namespace lmn::net;

constexpr ConnectionHandle kPeer = 900;

class MatchSetUp : public ::testing::Test {
  protected:
    void SetUp() override {
        // Every lobby request is stored unless a test scripts otherwise.
        env.reply = [](const std::string&) { return std::string("ok"); };
        game.EnterRoom("127.0.0.5", 20000);
        game.OnNetEvent(NetEvent{NET_CONNECTED, FakeGameEnv::kRoom, {}});
        link.sent.clear();
        env.pageLines.clear();
    }
    void Receive(PackageWriter& package, ConnectionHandle from = FakeGameEnv::kRoom) {
        game.OnNetEvent(DataFrom(from, package));
    }
    PackageReader Sent(size_t i) const { return link.sent.at(i).Reader(); }

    FakeGameEnv env;
    FakeLink link;
    GameClient game{env, link};
};

TEST_F(MatchSetUp, RoomConnectionEvents) {
    // The connect in SetUp: the page heard of it and the long login went out.
    FakeGameEnv fresh;
    FakeLink freshLink;
    GameClient client(fresh, freshLink);
    client.EnterRoom("127.0.0.5", 20000);
    client.OnNetEvent(NetEvent{NET_CONNECTED, FakeGameEnv::kRoom, {}});
    EXPECT_EQ(fresh.pageLines, std::vector<std::string>{"type=[connect_srv]&id=3"});
    ASSERT_EQ(freshLink.Types(), std::vector<std::int32_t>{MSG_SRV_LOGIN});
    PackageReader login = freshLink.sent[0].Reader();
    EXPECT_EQ(login.readInt32(), 42);
    EXPECT_EQ(login.readString(), "ann");
    EXPECT_EQ(login.readInt32(), 3);
    EXPECT_EQ(login.readInt32(), 1);
    EXPECT_EQ(login.readString(), "area");
    EXPECT_EQ(login.readString(), "http://room/");
    EXPECT_EQ(login.remaining(), 0u);

    // No user yet: connected, but the page is not told and no login is sent.
    FakeGameEnv anonymous;
    anonymous.player.userId = 0;
    FakeLink anonymousLink;
    GameClient nobody(anonymous, anonymousLink);
    nobody.EnterRoom("127.0.0.5", 20000);
    nobody.OnNetEvent(NetEvent{NET_CONNECTED, FakeGameEnv::kRoom, {}});
    EXPECT_TRUE(nobody.RoomConnected());
    EXPECT_TRUE(anonymous.pageLines.empty());
    EXPECT_TRUE(anonymousLink.sent.empty());

    // A failed connect tells the player and forgets the room; the page is not told.
    FakeGameEnv failing;
    FakeLink failingLink;
    GameClient refused(failing, failingLink);
    refused.EnterRoom("127.0.0.5", 20000);
    refused.OnNetEvent(NetEvent{NET_CONNECT_FAILED, FakeGameEnv::kRoom, {}});
    EXPECT_EQ(failing.questions, std::vector<std::string>{"|" + Utf8ToGbk("进入房间失败，请稍后再试")});
    EXPECT_EQ(refused.RoomHandle(), 0u);
    EXPECT_FALSE(refused.RoomConnected());
    EXPECT_TRUE(failing.pageLines.empty());
}

TEST_F(MatchSetUp, AutoGroupFetchesTheReportOnceAndSendsItWhateverItSays) {
    env.reply = [](const std::string&) { return std::string("ip=1.2.3.4"); };
    env.tick = 777;
    game.AutoGroup(55);
    EXPECT_EQ(env.fetched, std::vector<std::string>{
                               "http://web/zrk/client_process/process.php?type=[fill_user_all_p2p_info]"
                               "&userid=42&username=ann&srvareaid=1&roomid=3&flag=777"});
    ASSERT_EQ(link.Types(), std::vector<std::int32_t>{MSG_SRV_AUTO_GROUP});
    PackageReader ask = Sent(0);
    EXPECT_EQ(ask.readInt32(), 42);
    EXPECT_EQ(ask.readInt32(), 3);
    EXPECT_EQ(ask.readInt32(), 55);
    EXPECT_EQ(ask.readString(), "ip=1.2.3.4");
    game.CancelAutoGroup();
    PackageReader cancel = Sent(1);
    EXPECT_EQ(cancel.readInt32(), 42);
    EXPECT_EQ(cancel.readInt32(), 0);
    EXPECT_EQ(cancel.remaining(), 0u);
}

TEST_F(MatchSetUp, AnInvitationWhoseReportCannotBeStoredAsksTheInviteeToFetchIt) {
    env.reply = [](const std::string&) { return std::string(); };  // the lobby is unreachable
    env.answers = {Answer::Ok};
    game.Invite(77);
    EXPECT_EQ(env.questions, std::vector<std::string>{Utf8ToGbk("确定|确定邀请对方玩家人人对战吗?")});
    const auto reports = env.FetchedWith("[fill_user_all_p2p_info]");
    ASSERT_EQ(reports.size(), 3u) << "three tries";
    ASSERT_EQ(link.Types(), (std::vector<std::int32_t>{MSG_SRV_FETCH_FOR_ME, MSG_SRV_INVITE}));
    PackageReader relay = Sent(0);
    EXPECT_EQ(relay.readInt32(), 77);
    EXPECT_EQ(relay.readString(), reports[0]) << "the full URL";
    PackageReader invite = Sent(1);
    EXPECT_EQ(invite.readInt32(), 42);
    EXPECT_EQ(invite.readString(), "ann");
    EXPECT_EQ(invite.readInt32(), 77);
    EXPECT_EQ(invite.readString(), "fail");
}

TEST_F(MatchSetUp, ACancelledInvitationFetchesAndSendsNothing) {
    env.answers = {Answer::Cancel};
    game.Invite(77);
    EXPECT_TRUE(env.fetched.empty());
    EXPECT_TRUE(link.sent.empty());
}

TEST_F(MatchSetUp, AcceptingStoresTheInvitersReportThenSendsTheOwn) {
    int specialTries = 0;
    env.reply = [&](const std::string& url) {
        if (url.find("[fill_user_all_p2p_info_special]") != std::string::npos)
            return std::string(++specialTries == 2 ? "ok" : "busy");
        return std::string("own report ok");
    };
    env.answers = {Answer::Yes};
    PackageWriter invite(MSG_SRV_INVITE);
    invite.int32(77).string("Bob").int32(42).string("ip=5.6.7.8&port=11978");
    Receive(invite);
    EXPECT_EQ(env.flashes, 1);
    EXPECT_EQ(env.questions, std::vector<std::string>{Utf8ToGbk("提示|帅哥[Bob]邀请您人人对战，您同意吗?")});
    EXPECT_EQ(env.FetchedWith("[fill_user_all_p2p_info_special]"),
              std::vector<std::string>(
                  2,
                  "http://web/zrk/client_process/process.php?type=[fill_user_all_p2p_info_special]"
                  "&content=ip=5.6.7.8&port=11978"));
    ASSERT_EQ(link.Types(), std::vector<std::int32_t>{MSG_SRV_INVITE_REPLY});
    PackageReader reply = Sent(0);
    EXPECT_EQ(reply.readInt32(), 77);
    EXPECT_EQ(reply.readInt32(), 42);
    EXPECT_EQ(reply.readInt32(), 1);
    EXPECT_EQ(reply.readString(), Utf8ToGbk("对方同意您的请求"));
    EXPECT_EQ(reply.readString(), "own report ok");
}

TEST_F(MatchSetUp, AFailedInviterReportIsNotStoredAndAFailedOwnReportIsRelayed) {
    env.reply = [](const std::string&) { return std::string("down"); };
    env.answers = {Answer::Yes};
    PackageWriter invite(MSG_SRV_INVITE);
    invite.int32(77).string("Bob").int32(42).string("fail");
    Receive(invite);
    EXPECT_TRUE(env.FetchedWith("[fill_user_all_p2p_info_special]").empty());
    ASSERT_EQ(link.Types(), (std::vector<std::int32_t>{MSG_SRV_FETCH_FOR_ME, MSG_SRV_INVITE_REPLY}));
    PackageReader relay = Sent(0);
    EXPECT_EQ(relay.readInt32(), 77);
    EXPECT_NE(relay.readString().find("[fill_user_all_p2p_info]&userid=42"), std::string::npos);
    PackageReader reply = Sent(1);
    reply.readInt32();
    reply.readInt32();
    EXPECT_EQ(reply.readInt32(), 1);
    reply.readString();
    EXPECT_EQ(reply.readString(), "fail");
}

TEST_F(MatchSetUp, RefusingSendsTheRefusalWithoutAnyLobbyRequest) {
    env.answers = {Answer::No};
    PackageWriter invite(MSG_SRV_INVITE);
    invite.int32(77).string("Bob").int32(42).string("r");
    Receive(invite);
    EXPECT_TRUE(env.fetched.empty());
    ASSERT_EQ(link.Types(), std::vector<std::int32_t>{MSG_SRV_INVITE_REPLY});
    PackageReader reply = Sent(0);
    EXPECT_EQ(reply.readInt32(), 77);
    EXPECT_EQ(reply.readInt32(), 42);
    EXPECT_EQ(reply.readInt32(), 0);
    EXPECT_EQ(reply.readString(), Utf8ToGbk("对方拒绝您的请求"));
    EXPECT_EQ(reply.readString(), "");
}

TEST_F(MatchSetUp, AnAcceptedAnswerStoresTheInviteesReportAndStartsTheMatchWithTheIdsAsReceived) {
    PackageWriter answer(MSG_SRV_INVITE_REPLY);
    answer.int32(42).int32(77).int32(1).string(Utf8ToGbk("对方同意您的请求")).string("bob report");
    Receive(answer);
    EXPECT_EQ(env.flashes, 1);
    EXPECT_EQ(env.fetched, std::vector<std::string>{"http://web/zrk/client_process/process.php?type="
                                                    "[fill_user_all_p2p_info_special]&content=bob report"});
    ASSERT_EQ(link.Types(), std::vector<std::int32_t>{MSG_SRV_MATCH_START});
    PackageReader start = Sent(0);
    EXPECT_EQ(start.readInt32(), 42);
    EXPECT_EQ(start.readInt32(), 77);
    EXPECT_TRUE(env.questions.empty());
}

TEST_F(MatchSetUp, ARefusedAnswerShowsTheReceivedText) {
    PackageWriter answer(MSG_SRV_INVITE_REPLY);
    answer.int32(42).int32(77).int32(0).string("no thanks").string("");
    Receive(answer);
    EXPECT_EQ(env.questions, std::vector<std::string>{"|no thanks"});
    EXPECT_TRUE(env.fetched.empty());
    EXPECT_TRUE(link.sent.empty());
}

TEST_F(MatchSetUp, AnotherPlayersFailedReportIsFetchedAndStoredForThem) {
    const std::string theirs =
        "http://web/zrk/client_process/process.php?type=[fill_user_all_p2p_info]&userid=77&flag=1";
    env.reply = [](const std::string& url) {
        return url.find("_special]") != std::string::npos ? std::string("stored ok")
                                                          : std::string("ip=9.9.9.9 ok");
    };
    PackageWriter relay(MSG_SRV_FETCH_FOR_ME);
    relay.int32(77).string(theirs);
    Receive(relay);
    EXPECT_EQ(env.fetched,
              (std::vector<std::string>{theirs,
                                        "http://web/zrk/client_process/process.php?type="
                                        "[fill_user_all_p2p_info_special]&content=ip=9.9.9.9 ok"}));
    EXPECT_TRUE(link.sent.empty()) << "nothing is reported back";

    // Any other request is only fetched (with its retries).
    env.fetched.clear();
    env.reply = [](const std::string&) { return std::string("no"); };
    PackageWriter other(MSG_SRV_FETCH_FOR_ME);
    other.int32(77).string(
        "http://web/zrk/client_process/process.php?type=[fill_user_all_p2p_info_special]&content=x");
    Receive(other);
    EXPECT_EQ(env.fetched.size(), 3u);
    EXPECT_TRUE(env.FetchedWith("content=fail").empty());
}

TEST_F(MatchSetUp, APostedAddressIsStoredWithOneRequestWhateverTheReply) {
    env.reply = [](const std::string&) { return std::string(); };
    PackageWriter post(MSG_SRV_ADDRESS_POST);
    post.string("ip=1.1.1.1");
    Receive(post);
    EXPECT_EQ(env.fetched, std::vector<std::string>{"http://web/zrk/client_process/process.php?type="
                                                    "[fill_user_all_p2p_info_special]&content=ip=1.1.1.1"});
}

TEST_F(MatchSetUp, AnOutgoingDirectLinkSaysHelloAndAWelcomeSetsTheGameUp) {
    game.OnNetEvent(NetEvent{NET_CONNECTED, kPeer, {}});
    EXPECT_EQ(game.state().link, LinkState::HelloSent);
    ASSERT_EQ(link.Types(), std::vector<std::int32_t>{MSG_PEER_HELLO});
    EXPECT_EQ(link.sent[0].connection, kPeer);
    EXPECT_EQ(Sent(0).readInt32(), 42);

    PackageWriter welcome(MSG_PEER_WELCOME);
    welcome.int32(77);
    env.seconds = 1700000001;  // odd: this side moves second
    Receive(welcome, kPeer);
    EXPECT_EQ(env.fetched,
              (std::vector<std::string>{
                  "http://web/zrk/client_process/process.php?type=[auto_group]&arc=0",
                  "http://web/zrk/client_process/process.php?type=[add_match]&userid1=42&userid2=77"}));
    ASSERT_EQ(link.Types(), (std::vector<std::int32_t>{MSG_PEER_HELLO, MSG_GAME_SETUP}));
    EXPECT_EQ(link.sent[1].connection, kPeer) << "the direct variant goes to the peer, not the room";
    PackageReader setup = Sent(1);
    EXPECT_EQ(setup.readInt32(), 0);
    EXPECT_EQ(Split(setup.readString(), ';').size(), 30u);
    EXPECT_EQ(Split(setup.readString(), ';').size(), 30u);
    EXPECT_EQ(setup.remaining(), 0u);
    EXPECT_EQ(env.navigations, std::vector<std::string>{"http://web/zrk/gameclient_fc.php?first=0&roomid=3"
                                                        "&userid1=42&userid2=77&seed1=100&seed2=200"});
    EXPECT_TRUE(game.state().inGame);
    EXPECT_FALSE(env.pageLoaded) << "the new page's texts wait for it";
}

TEST_F(MatchSetUp, AWelcomeWithoutAHelloClosesThePeerAndSetsNothingUp) {
    PackageWriter hello(MSG_PEER_HELLO);
    hello.int32(77);
    Receive(hello, kPeer);  // linked as the side that was called
    link.sent.clear();
    env.fetched.clear();
    PackageWriter welcome(MSG_PEER_WELCOME);
    welcome.int32(77);
    Receive(welcome, kPeer);
    EXPECT_EQ(link.closed, std::vector<ConnectionHandle>{kPeer});
    EXPECT_EQ(game.state().peer, 0u);
    EXPECT_TRUE(link.sent.empty());
    EXPECT_TRUE(env.navigations.empty());
}

TEST_F(MatchSetUp, ALostLinkOutsideAGameAsksForAnOpponentThreeSecondsLater) {
    game.OnNetEvent(NetEvent{NET_CONNECT_FAILED, kPeer, {}});
    EXPECT_EQ(game.state().link, LinkState::Idle);
    EXPECT_EQ(env.timers, std::vector<std::string>{"opponent request"});

    env.reply = [](const std::string&) { return std::string("opponent 5"); };
    game.OnOpponentRequestDelay();
    EXPECT_EQ(env.timers.back(), "answer check");
    // The answer check stops once the worker has stored its answer, and not before.
    for (int i = 0; i < 2000 && env.timers.back() != "stop answer check"; ++i) {
        game.OnOpponentAnswerCheck();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    EXPECT_EQ(env.timers.back(), "stop answer check");
    EXPECT_EQ(env.FetchedWith("[request_oppoent]").size(), 1u);
    EXPECT_TRUE(link.sent.empty()) << "the answer is only collected";
}

TEST_F(MatchSetUp, ClosingAnUnsetPeerOutsideAGameIsAQuietReset) {
    PackageWriter hello(MSG_PEER_HELLO);
    hello.int32(77);
    Receive(hello, kPeer);
    game.OnNetEvent(NetEvent{NET_CLOSED, kPeer, {}});
    EXPECT_EQ(game.state().peer, 0u);
    EXPECT_EQ(game.state().link, LinkState::Idle);
    EXPECT_TRUE(env.questions.empty());
    EXPECT_EQ(env.timers, std::vector<std::string>{"opponent request"});
}

}  // namespace
}  // namespace lmn::game::test
