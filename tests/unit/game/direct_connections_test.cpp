// Who may talk to the game core: a direct connection becomes the opponent only by saying hello,
// strangers on the direct-play port change nothing (their packages, their close), and only the
// room server may ask this client to fetch a lobby request for another player.
#include <gtest/gtest.h>

#include "fake_game_env.h"
#include "game_client.h"
#include "message_types.h"

namespace lmn::game::test {
namespace {

using namespace lmn::net;

constexpr ConnectionHandle kPeer = 900;
constexpr ConnectionHandle kStranger = 901;

class DirectConnections : public ::testing::Test {
  protected:
    void SetUp() override {
        env.reply = [](const std::string&) { return std::string("ok"); };
        game.OnNetEvent(NetEvent{NET_CONNECTED, FakeGameEnv::kRoom, {}});
        Clear();
    }
    void Receive(PackageWriter& package, ConnectionHandle from) { game.OnNetEvent(DataFrom(from, package)); }
    void Hello(ConnectionHandle from, int userId) {
        PackageWriter hello(MSG_PEER_HELLO);
        hello.int32(userId);
        Receive(hello, from);
    }
    void StartRelayedGame() {
        PackageWriter start(MSG_SRV_MATCH_START);
        start.int32(77);
        Receive(start, FakeGameEnv::kRoom);
        ASSERT_TRUE(game.state().inGame);
        ASSERT_TRUE(game.state().relayed);
        Clear();
    }
    void Clear() {
        link.sent.clear();
        env.navigations.clear();
        env.questions.clear();
        env.fetched.clear();
        env.timers.clear();
        env.queued.clear();
    }
    // A package of every kind a stranger might try, none of them a hello.
    std::vector<PackageWriter> Intrusions() {
        std::vector<PackageWriter> all;
        all.emplace_back(MSG_GAME_DEAL).string("type=[game_deal]&type_d1=[attack]");
        all.emplace_back(MSG_SRV_GAME_OVER);
        all.emplace_back(MSG_GAME_SETUP).int32(1).string("1;2").string("3;4");
        all.emplace_back(MSG_SRV_INVITE).int32(66).string("mallory").int32(42).string("fail");
        all.emplace_back(MSG_SRV_FETCH_FOR_ME)
            .int32(42)
            .string("http://web/zrk/client_process/process.php?type=[fill_user_all_p2p_info]");
        all.emplace_back(MSG_RESTART_ASK);
        all.emplace_back(MSG_PEER_WELCOME).int32(66);
        return all;
    }

    FakeGameEnv env;
    FakeLink link;
    GameClient game{env, link};
};

TEST_F(DirectConnections, AStrangersPackagesAndCloseDuringARelayedGameChangeNothing) {
    StartRelayedGame();
    for (PackageWriter& package : Intrusions()) {
        const ConnectionHandle from = kStranger + link.closed.size();
        Receive(package, from);
        EXPECT_EQ(link.closed.back(), from) << "a stranger that does not say hello is closed";
        game.OnNetEvent(NetEvent{NET_CLOSED, from, {}});
    }
    // A hello during a relayed game is ignored too: the battle stays with the room server.
    Hello(kStranger + 100, 66);
    game.OnNetEvent(NetEvent{NET_ERROR, kStranger + 100, {}});

    EXPECT_TRUE(game.state().inGame);
    EXPECT_TRUE(game.state().relayed);
    EXPECT_EQ(game.state().peer, 0u);
    EXPECT_EQ(game.state().opponentId, 77);
    EXPECT_TRUE(env.questions.empty()) << "no box: the opponent is not lost";
    EXPECT_TRUE(env.navigations.empty());
    EXPECT_TRUE(env.queued.empty()) << "no battle action reached the page";
    EXPECT_TRUE(env.fetched.empty());
    EXPECT_TRUE(env.timers.empty());
    EXPECT_TRUE(link.sent.empty());

    // The real opponent's action over the room server still arrives.
    PackageWriter deal(MSG_GAME_DEAL);
    deal.string("type=[game_deal]&type_d1=[move]");
    Receive(deal, FakeGameEnv::kRoom);
    EXPECT_EQ(env.queued, std::vector<std::string>{"type=[game_deal]&type_d1=[move]"});
}

TEST_F(DirectConnections, BeforeAHelloOnlyAHelloIsHeardAndAStrangersCloseIsNoLoss) {
    for (PackageWriter& package : Intrusions()) Receive(package, kStranger);
    game.OnNetEvent(NetEvent{NET_CLOSED, kStranger, {}});
    EXPECT_EQ(game.state().peer, 0u);
    EXPECT_EQ(game.state().link, LinkState::Idle);
    EXPECT_FALSE(game.state().inGame);
    EXPECT_TRUE(env.navigations.empty());
    EXPECT_TRUE(env.questions.empty());
    EXPECT_TRUE(env.timers.empty()) << "a stranger's close asks for no opponent";
    EXPECT_TRUE(link.sent.empty());

    // A hello makes the connection the peer; it then plays a whole direct game.
    Hello(kPeer, 77);
    EXPECT_EQ(game.state().peer, kPeer);
    EXPECT_EQ(game.state().link, LinkState::Linked);
    ASSERT_EQ(link.Types(), std::vector<std::int32_t>{MSG_PEER_WELCOME});
    PackageWriter setup(MSG_GAME_SETUP);
    setup.int32(1).string("1;2").string("3;4");
    Receive(setup, kPeer);
    EXPECT_TRUE(game.state().inGame);
    EXPECT_EQ(game.state().first, 0);
    PackageWriter deal(MSG_GAME_DEAL);
    deal.string("type=[game_deal]&n=1");
    Receive(deal, kPeer);
    EXPECT_EQ(env.queued, std::vector<std::string>{"type=[game_deal]&n=1"});

    // While the peer is set a second hello is ignored and a stranger's close loses nothing.
    Hello(kStranger + 1, 66);
    game.OnNetEvent(NetEvent{NET_CLOSED, kStranger + 1, {}});
    EXPECT_EQ(game.state().peer, kPeer);
    EXPECT_EQ(game.state().opponentId, 77);
    EXPECT_TRUE(game.state().inGame);

    // The peer's own close is the lost opponent.
    game.OnNetEvent(NetEvent{NET_CLOSED, kPeer, {}});
    EXPECT_FALSE(game.state().inGame);
    ASSERT_EQ(env.questions.size(), 1u);
    EXPECT_EQ(env.navigations.back(), "http://web/zrk/p2pgame.php");
}

TEST_F(DirectConnections, OnlyTheRoomServerMayAskForALobbyRequestBelowABaseUrl) {
    const std::string good =
        "http://web/zrk/client_process/process.php?type=[fill_user_all_p2p_info]&userid=77";
    const std::string room =
        "http://room/client_process/process.php?type=[fill_user_all_p2p_info_special]&x=1";
    auto ask = [&](const std::string& url, ConnectionHandle from) {
        env.fetched.clear();
        PackageWriter relay(MSG_SRV_FETCH_FOR_ME);
        relay.int32(77).string(url);
        Receive(relay, from);
        return env.fetched;
    };
    EXPECT_EQ(ask(good, FakeGameEnv::kRoom).size(), 2u) << "the request and the store of its reply";
    EXPECT_EQ(ask(room, FakeGameEnv::kRoom).size(), 1u) << "the room's base URL counts as well";
    for (const std::string& bad : {
             std::string("http://evil/client_process/process.php?type=[x]"),
             std::string("http://web/zrk/client_process/process.php?type="),
             std::string("http://web/zrk/client_process/process.php?type=["),
             std::string("http://web/zrk/other.php?type=[fill_user_all_p2p_info]"),
             std::string("http://web/zrk.evil/client_process/process.php?type=[x]"),
             std::string("file:///etc/passwd"),
             std::string("client_process/process.php?type=[x]"),
         })
        EXPECT_TRUE(ask(bad, FakeGameEnv::kRoom).empty()) << bad;

    // Over a direct connection, even from the peer, nothing is fetched.
    Hello(kPeer, 77);
    EXPECT_TRUE(ask(good, kPeer).empty());
    EXPECT_TRUE(ask(good, kStranger).empty());
    EXPECT_EQ(game.state().peer, kPeer);

    // Without a room base URL only the own base URL is taken.
    env.player.roomBaseUrl.clear();
    EXPECT_TRUE(ask("client_process/process.php?type=[x]", FakeGameEnv::kRoom).empty());
    EXPECT_EQ(ask(good, FakeGameEnv::kRoom).size(), 2u);
}

}  // namespace
}  // namespace lmn::game::test
