// The room server connection has one owner: entering a room opens it, and only the connection
// that is both the current one and reported up carries the room's packages. Re-entering,
// leaving and the server's close each leave nothing behind that still counts as the room.
#include "room_connection.h"

#include <gtest/gtest.h>

#include "fake_game_env.h"
#include "game_client.h"
#include "message_types.h"

namespace lmn::game::test {
namespace {

using namespace lmn::net;

TEST(RoomConnection, OnlyTheCurrentConnectionOnceUpCarriesPackages) {
    FakeLink link;
    RoomConnection room(link);
    PackageWriter early(MSG_SRV_USER_LIST);
    EXPECT_FALSE(room.Send(early)) << "no connection yet";

    room.Open("127.0.0.5", 20000);
    EXPECT_EQ(link.connects, std::vector<std::string>{"127.0.0.5:20000"});
    EXPECT_TRUE(room.Is(kRoomHandle));
    PackageWriter connecting(MSG_SRV_USER_LIST);
    EXPECT_FALSE(room.Send(connecting)) << "still connecting";
    room.MarkConnected();
    PackageWriter up(MSG_SRV_USER_LIST);
    EXPECT_TRUE(room.Send(up));
    ASSERT_EQ(link.sent.size(), 1u);
    EXPECT_EQ(link.sent[0].connection, kRoomHandle);

    // Entering again: the old connection is closed and the new one waits for its own report.
    link.nextConnection = 11;
    room.Open("127.0.0.6", 20000);
    EXPECT_EQ(link.closed, std::vector<ConnectionHandle>{kRoomHandle});
    EXPECT_FALSE(room.Is(kRoomHandle));
    EXPECT_FALSE(room.Connected());
    PackageWriter again(MSG_SRV_USER_LIST);
    EXPECT_FALSE(room.Send(again));
    EXPECT_EQ(link.sent.size(), 1u);

    room.Close();
    EXPECT_EQ(link.closed, (std::vector<ConnectionHandle>{kRoomHandle, 11}));
    EXPECT_EQ(room.handle(), 0u);
    room.Close();
    EXPECT_EQ(link.closed.size(), 2u) << "nothing left to close";
}

TEST(RoomConnection, AConnectionThatCannotStartIsNoRoom) {
    FakeLink link;
    link.nextConnection = 0;
    RoomConnection room(link);
    room.Open("127.0.0.5", 20000);
    room.MarkConnected();
    EXPECT_FALSE(room.Connected());
    EXPECT_FALSE(room.Is(0));
    room.Close();
    EXPECT_TRUE(link.closed.empty());
}

class RoomOwnership : public ::testing::Test {
  protected:
    void EnterConnected() {
        game.EnterRoom("127.0.0.5", 20000);
        game.OnNetEvent(NetEvent{NET_CONNECTED, game.RoomHandle(), {}});
    }
    // A direct game: this client reached the peer and set the game up over that link.
    void LinkPeer() {
        game.OnNetEvent(NetEvent{NET_CONNECTED, kPeer, {}});
        PackageWriter welcome(MSG_PEER_WELCOME);
        welcome.int32(77);
        game.OnNetEvent(DataFrom(kPeer, welcome));
        ASSERT_TRUE(game.state().inGame);
        link.sent.clear();
    }

    static constexpr ConnectionHandle kPeer = 900;
    FakeGameEnv env;
    FakeLink link;
    GameClient game{env, link};
};

TEST_F(RoomOwnership, AfterLeavingTheRoomItsPackagesStayAndTheLoadGoesToThePeer) {
    EnterConnected();
    ASSERT_TRUE(game.RoomConnected());
    LinkPeer();
    game.LeaveRoom();
    EXPECT_EQ(link.closed, std::vector<ConnectionHandle>{kRoomHandle});
    EXPECT_FALSE(game.RoomConnected());

    game.SendShortLogin();
    game.GameLoadOver();
    ASSERT_EQ(link.Types(), std::vector<std::int32_t>{MSG_LOAD_DONE});
    EXPECT_EQ(link.sent[0].connection, kPeer);
}

TEST_F(RoomOwnership, TheServersCloseEndsTheRoomUntilItIsEnteredAgain) {
    EnterConnected();
    game.OnNetEvent(NetEvent{NET_CLOSED, kRoomHandle, {}});
    EXPECT_EQ(game.RoomHandle(), 0u);
    EXPECT_FALSE(game.RoomConnected());
    link.sent.clear();
    game.RequestUserList();
    EXPECT_TRUE(link.sent.empty());
    EXPECT_TRUE(env.questions.empty()) << "a close is not a failed entry";

    link.nextConnection = 12;
    EnterConnected();
    EXPECT_TRUE(game.RoomConnected());
    game.RequestUserList();
    EXPECT_EQ(link.Types(), (std::vector<std::int32_t>{MSG_SRV_LOGIN, MSG_SRV_USER_LIST}));
    EXPECT_EQ(link.sent.back().connection, 12u);
}

}  // namespace
}  // namespace lmn::game::test
