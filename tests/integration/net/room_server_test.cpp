#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "devserver_process.h"
#include "http.h"
#include "scripted_client.h"

using namespace lmn::net;
using namespace lmn::test;

namespace {

using Strings = std::vector<std::string>;

class RoomServerTest : public ::testing::Test {
  protected:
    void SetUp() override {
        server_ = std::make_unique<DevServerProcess>(Args());
        ASSERT_TRUE(server_->ok());
    }

    std::unique_ptr<ScriptedClient> Client(std::int32_t id, const std::string& name, std::int32_t room) {
        auto client = std::make_unique<ScriptedClient>(server_->host());
        EXPECT_TRUE(client->connected());
        client->Login(id, name, room);
        client->Next(MSG_SRV_MATCH_LIST);  // every login into a room gets the room's matches
        return client;
    }

    // A running match: ann (1001) initiated against bob (1002), both in room 7.
    void StartMatch(ScriptedClient& ann, ScriptedClient& bob) {
        PackageWriter ask(MSG_SRV_AUTO_GROUP);
        ask.int32(1001).int32(7).int32(0).string("ann report");
        ann.Send(ask);
        ASSERT_TRUE(Logged("recv user=1001 MSG_SRV_AUTO_GROUP 1001 7 0 ann report")) << "ann waits first";
        PackageWriter ask2(MSG_SRV_AUTO_GROUP);
        ask2.int32(1002).int32(7).int32(0).string("bob report");
        bob.Send(ask2);
        ASSERT_EQ(Fields(ann.Next(MSG_SRV_MATCH_START)), Strings{"1002"});
    }

    bool Logged(const std::string& line) {
        for (int i = 0; i < 100; ++i) {
            auto lines = server_->LogLines("room");
            if (std::find(lines.begin(), lines.end(), line) != lines.end()) return true;
            usleep(10000);
        }
        return false;
    }

    std::unique_ptr<DevServerProcess> server_;
    virtual std::vector<std::string> Args() { return {}; }
};

class AiPairingTest : public RoomServerTest {
  protected:
    std::vector<std::string> Args() override { return {"--ai-pairing=1", "--ai-player-id=4242"}; }
};

}  // namespace

TEST_F(RoomServerTest, LoginIsLoggedInBothForms) {
    auto ann = Client(1001, "ann", 7);
    PackageWriter shortLogin(MSG_SRV_LOGIN);
    shortLogin.int32(1001).string("ann");
    ann->Send(shortLogin);
    EXPECT_TRUE(Logged("recv user=0 MSG_SRV_LOGIN 1001 ann 7 1 area one http://dev/game/zrk/"));
    EXPECT_TRUE(Logged("recv user=1001 MSG_SRV_LOGIN 1001 ann"));
}

TEST_F(RoomServerTest, UserListsFollowUsersInTheirRoom) {
    auto ann = Client(1001, "ann", 7);
    auto bob = Client(1002, "bob", 7);
    auto cid = Client(1003, "cid", 8);
    EXPECT_EQ(Fields(ann->Next(MSG_SRV_USER_ADD)), Strings{"1002,bob"});
    EXPECT_FALSE(ann->Receives(MSG_SRV_USER_ADD)) << "cid entered another room";

    PackageWriter ask(MSG_SRV_USER_LIST);
    ask.int32(1002).int32(7);
    bob->Send(ask);
    EXPECT_EQ(Fields(bob->Next(MSG_SRV_USER_LIST)), (Strings{"2", "1001,ann", "1002,bob"}));

    PackageWriter rename(MSG_SRV_LOGIN);
    rename.int32(1002).string("bobby");
    bob->Send(rename);
    EXPECT_EQ(Fields(ann->Next(MSG_SRV_USER_REMOVE)), Strings{"1002,bob"});
    EXPECT_EQ(Fields(ann->Next(MSG_SRV_USER_ADD)), Strings{"1002,bobby"});

    bob->Disconnect();
    EXPECT_EQ(Fields(ann->Next(MSG_SRV_USER_REMOVE)), Strings{"1002,bobby"});
    EXPECT_FALSE(cid->Receives(MSG_SRV_USER_REMOVE));
}

TEST_F(RoomServerTest, TwoPlayersAskingInOneRoomArePairedAndCancelWithdraws) {
    auto ann = Client(1001, "ann", 7);
    auto bob = Client(1002, "bob", 7);
    auto cid = Client(1003, "cid", 7);

    PackageWriter cidAsks(MSG_SRV_AUTO_GROUP);
    cidAsks.int32(1003).int32(7).int32(0).string("r");
    cid->Send(cidAsks);
    PackageWriter cancel(MSG_SRV_AUTO_GROUP);
    cancel.int32(1003).int32(0);
    cid->Send(cancel);
    EXPECT_TRUE(Logged("recv user=1003 MSG_SRV_AUTO_GROUP 1003 0"));

    StartMatch(*ann, *bob);
    EXPECT_FALSE(bob->Receives(MSG_SRV_MATCH_START)) << "only the initiator sets the game up";
    EXPECT_FALSE(cid->Receives(MSG_SRV_MATCH_START));
    for (auto* c : {ann.get(), bob.get(), cid.get()})
        EXPECT_EQ(Fields(c->Next(MSG_SRV_MATCH_LIST)), (Strings{"1", "1001,1002,ann,bob"}));
}

TEST_F(RoomServerTest, PlayersInDifferentRoomsAreNotPaired) {
    auto ann = Client(1001, "ann", 7);
    auto dan = Client(1004, "dan", 9);
    PackageWriter a(MSG_SRV_AUTO_GROUP);
    a.int32(1001).int32(7).int32(0).string("r");
    ann->Send(a);
    PackageWriter d(MSG_SRV_AUTO_GROUP);
    d.int32(1004).int32(9).int32(0).string("r");
    dan->Send(d);
    EXPECT_FALSE(ann->Receives(MSG_SRV_MATCH_START));
    EXPECT_FALSE(dan->Receives(MSG_SRV_MATCH_START));
    EXPECT_FALSE(ann->Receives(MSG_SRV_AI_GAME));
}

TEST_F(AiPairingTest, ALonePlayerGetsTheComputer) {
    auto ann = Client(1001, "ann", 7);
    PackageWriter a(MSG_SRV_AUTO_GROUP);
    a.int32(1001).int32(7).int32(0).string("r");
    ann->Send(a);
    EXPECT_EQ(Fields(ann->Next(MSG_SRV_AI_GAME)), Strings{"4242"});
}

TEST_F(RoomServerTest, InvitationsAndAnswersReachTheRightUser) {
    auto ann = Client(1001, "ann", 7);
    auto bob = Client(1002, "bob", 7);
    auto cid = Client(1003, "cid", 7);

    PackageWriter invite(MSG_SRV_INVITE);
    invite.int32(1001).string("ann").int32(1002).string("ann report");
    ann->Send(invite);
    auto sealed = invite.seal();
    EXPECT_EQ(bob->Next(MSG_SRV_INVITE), ScriptedClient::Package(sealed.begin(), sealed.end()));
    EXPECT_FALSE(cid->Receives(MSG_SRV_INVITE));

    PackageWriter reply(MSG_SRV_INVITE_REPLY);
    reply.int32(1001).int32(1002).int32(1).string("yes").string("bob report");
    bob->Send(reply);
    EXPECT_EQ(Fields(ann->Next(MSG_SRV_INVITE_REPLY)), (Strings{"1001", "1002", "1", "yes", "bob report"}));

    PackageWriter start(MSG_SRV_MATCH_START);
    start.int32(1001).int32(1002);
    ann->Send(start);
    EXPECT_EQ(Fields(ann->Next(MSG_SRV_MATCH_START)), Strings{"1002"});
    EXPECT_FALSE(bob->Receives(MSG_SRV_MATCH_START));

    PackageWriter nobody(MSG_SRV_INVITE);
    nobody.int32(1001).string("ann").int32(1999).string("r");
    ann->Send(nobody);
    auto refusal = Fields(ann->Next(MSG_SRV_INVITE_REPLY));
    ASSERT_GE(refusal.size(), 3u);
    EXPECT_EQ(Strings(refusal.begin(), refusal.begin() + 3), (Strings{"1001", "1999", "0"}))
        << "an absent invitee is refused at once";
}

TEST_F(RoomServerTest, GamePackagesAreRelayedToTheOpponent) {
    auto ann = Client(1001, "ann", 7);
    auto bob = Client(1002, "bob", 7);
    auto cid = Client(1003, "cid", 7);
    StartMatch(*ann, *bob);

    PackageWriter setup(MSG_SRV_GAME_SETUP);
    setup.int32(1).string("1;2;3").string("4;5;6").int32(1001);
    ann->Send(setup);
    EXPECT_EQ(Fields(bob->Next(MSG_SRV_GAME_SETUP)), (Strings{"1", "1;2;3", "4;5;6", "1001"}));

    PackageWriter load(MSG_SRV_LOAD_DONE);
    bob->Send(load);
    EXPECT_EQ(ann->Next(MSG_SRV_LOAD_DONE).size(), 9u);

    PackageWriter deal(MSG_GAME_DEAL);
    deal.string("type=[game_deal]&card=17");
    ann->Send(deal);
    auto sealed = deal.seal();
    EXPECT_EQ(bob->Next(MSG_GAME_DEAL), ScriptedClient::Package(sealed.begin(), sealed.end())) << "unchanged";

    PackageWriter restart(MSG_RESTART_ASK);
    bob->Send(restart);
    EXPECT_FALSE(ann->Next(MSG_RESTART_ASK).empty());
    PackageWriter restartReply(MSG_RESTART_REPLY);
    restartReply.int32(1);
    ann->Send(restartReply);
    EXPECT_EQ(Fields(bob->Next(MSG_RESTART_REPLY)), Strings{"1"});
    PackageWriter rematch(MSG_SRV_REMATCH_REPLY);
    rematch.int32(1);
    ann->Send(rematch);
    EXPECT_EQ(Fields(bob->Next(MSG_SRV_REMATCH_REPLY)), Strings{"1"});

    PackageWriter over(MSG_SRV_GAME_OVER);
    ann->Send(over);
    EXPECT_EQ(bob->Next(MSG_SRV_GAME_OVER).size(), 9u);
    PackageWriter overAgain(MSG_SRV_GAME_OVER);
    ann->Send(overAgain);
    EXPECT_FALSE(bob->Receives(MSG_SRV_GAME_OVER)) << "one game-over per player";
    EXPECT_FALSE(cid->Receives(MSG_GAME_DEAL));
    EXPECT_TRUE(Logged("recv user=1001 MSG_GAME_DEAL type=[game_deal]&card=17"));
}

TEST_F(RoomServerTest, OpponentLeavingMidMatchEndsTheGame) {
    auto ann = Client(1001, "ann", 7);
    auto bob = Client(1002, "bob", 7);
    StartMatch(*ann, *bob);
    bob->Disconnect();
    EXPECT_EQ(ann->Next(MSG_SRV_GAME_OVER).size(), 9u);
    ann->Next(MSG_SRV_MATCH_LIST);
    EXPECT_EQ(Fields(ann->Next(MSG_SRV_MATCH_LIST)), Strings{"0"});
}

TEST_F(RoomServerTest, HelpRequestsAndChatAreForwarded) {
    auto ann = Client(1001, "ann", 7);
    auto bob = Client(1002, "bob", 7);
    auto cid = Client(1003, "cid", 8);

    PackageWriter fetch(MSG_SRV_FETCH_FOR_ME);
    fetch.int32(1002).string("http://dev/game/zrk/client_process/process.php?type=[x]");
    ann->Send(fetch);
    EXPECT_EQ(Fields(bob->Next(MSG_SRV_FETCH_FOR_ME)),
              (Strings{"1002", "http://dev/game/zrk/client_process/process.php?type=[x]"}));

    PackageWriter chat(MSG_SRV_CHAT);
    chat.string("hello");
    ann->Send(chat);
    EXPECT_EQ(Fields(bob->Next(MSG_SRV_CHAT)), (Strings{"ann", "hello"}));
    EXPECT_EQ(Fields(ann->Next(MSG_SRV_CHAT)), (Strings{"ann", "hello"})) << "the speaker sees the line too";
    EXPECT_FALSE(cid->Receives(MSG_SRV_CHAT));
}

TEST_F(RoomServerTest, WatchersGetTheActionsSoFarThenEachNewOneUntilTheyQuit) {
    auto ann = Client(1001, "ann", 7);
    auto bob = Client(1002, "bob", 7);
    auto eve = Client(1005, "eve", 7);
    StartMatch(*ann, *bob);
    PackageWriter setup(MSG_SRV_GAME_SETUP);
    setup.int32(0).string("s1").string("s2").int32(1001);  // ann does not move first: bob does
    ann->Send(setup);
    bob->Next(MSG_SRV_GAME_SETUP);
    for (const char* text : {"a=1&b=2", "c=3"}) {
        PackageWriter deal(MSG_GAME_DEAL);
        deal.string(text);
        ann->Send(deal);
        bob->Next(MSG_GAME_DEAL);
    }

    PackageWriter watch(MSG_SRV_WATCH);
    watch.int32(1002).int32(1001);
    eve->Send(watch);
    EXPECT_EQ(Fields(eve->Next(MSG_SRV_WATCH_STATE)), (Strings{"1002", "a=1&b=2"}));
    EXPECT_EQ(Fields(eve->Next(MSG_SRV_WATCH_STATE)), (Strings{"1002", "c=3"}));

    PackageWriter deal(MSG_GAME_DEAL);
    deal.string("d=4");
    bob->Send(deal);
    EXPECT_EQ(Fields(eve->Next(MSG_SRV_WATCH_STATE)), (Strings{"1002", "d=4"}));

    PackageWriter quit(MSG_SRV_QUIT_WATCH);
    eve->Send(quit);
    eve->Pump(100);
    PackageWriter more(MSG_GAME_DEAL);
    more.string("e=5");
    bob->Send(more);
    EXPECT_FALSE(ann->Next(MSG_GAME_DEAL).empty());
    EXPECT_FALSE(eve->Receives(MSG_SRV_WATCH_STATE));
}

TEST_F(RoomServerTest, NoticesAndAddressPostsAreSentOnRequest) {
    auto ann = Client(1001, "ann", 7);
    auto bob = Client(1002, "bob", 8);
    EXPECT_EQ(lmn::FetchText("http://" + server_->host() + "/room/notice?text=server%20restarts&userid=1001"),
              "ok");
    EXPECT_EQ(Fields(ann->Next(MSG_SRV_NOTICE)), Strings{"server restarts"});
    EXPECT_FALSE(bob->Receives(MSG_SRV_NOTICE));
    EXPECT_EQ(lmn::FetchText("http://" + server_->host() + "/room/notice?text=all"), "ok");
    EXPECT_EQ(Fields(bob->Next(MSG_SRV_NOTICE)), Strings{"all"});
    EXPECT_EQ(lmn::FetchText("http://" + server_->host() + "/room/address_post?userid=1002&content=rep"),
              "ok");
    EXPECT_EQ(Fields(bob->Next(MSG_SRV_ADDRESS_POST)), Strings{"rep"});
    EXPECT_EQ(lmn::FetchText("http://" + server_->host() + "/room/notice?text=x&userid=77"), "not connected");
}

TEST_F(RoomServerTest, AMalformedPackageIsDroppedAndTheConnectionStays) {
    auto ann = Client(1001, "ann", 7);
    PackageWriter broken(MSG_SRV_CHAT);
    broken.string("hello");
    auto bytes = broken.seal();
    ScriptedClient::Package raw(bytes.begin(), bytes.end());
    raw[9] = 0x40;  // string length beyond the package
    ann->SendRaw(raw);
    EXPECT_TRUE(Logged("dropped: Over Read package of string"));
    EXPECT_FALSE(ann->Receives(MSG_SRV_CHAT));
    PackageWriter chat(MSG_SRV_CHAT);
    chat.string("still here");
    ann->Send(chat);
    EXPECT_EQ(Fields(ann->Next(MSG_SRV_CHAT)), (Strings{"ann", "still here"}));

    PackageWriter longer(MSG_SRV_CHAT);
    longer.string("and more").int32(5);
    ann->Send(longer);
    EXPECT_EQ(Fields(ann->Next(MSG_SRV_CHAT)), (Strings{"ann", "and more"})) << "extra bytes are ignored";
    EXPECT_TRUE(Logged("recv user=1001 MSG_SRV_CHAT and more <4 more bytes>"));
    EXPECT_TRUE(Logged("recv user=1001 MSG_SRV_CHAT <Over Read package of string>"));
}
