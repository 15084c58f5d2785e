// The room server's word that the opponent ended the game gives the own page a moment to end it
// too; only a page that has not ended its game by then counts the opponent as lost. A word of the
// last game must never end the next one, however quickly a rematch follows.
#include <gtest/gtest.h>

#include <algorithm>

#include "fake_game_env.h"
#include "game_client.h"
#include "message_types.h"
#include "text.h"

namespace lmn::game::test {
namespace {

using namespace lmn::net;

class GameOverGrace : public ::testing::Test {
  protected:
    void SetUp() override {
        env.reply = [](const std::string&) { return std::string("ok"); };
        game.EnterRoom("127.0.0.5", 20000);
        game.OnNetEvent(NetEvent{NET_CONNECTED, FakeGameEnv::kRoom, {}});
    }
    void FromRoom(std::int32_t type) {
        PackageWriter package(type);
        if (type == MSG_SRV_MATCH_START) package.int32(7);
        game.OnNetEvent(DataFrom(FakeGameEnv::kRoom, package));
    }
    bool ToldOpponentLost() const {
        return std::find(env.questions.begin(), env.questions.end(), "|" + Utf8ToGbk("对方断线")) !=
               env.questions.end();
    }
    size_t GamePagesOpened() const {
        return std::count_if(env.navigations.begin(), env.navigations.end(), [](const std::string& url) {
            return url.find("gameclient_fc.php") != std::string::npos;
        });
    }

    FakeGameEnv env;
    FakeLink link;
    GameClient game{env, link};
};

TEST_F(GameOverGrace, APageThatNeverEndsItsGameLosesTheOpponentWhenTheGraceRunsOut) {
    FromRoom(MSG_SRV_MATCH_START);
    FromRoom(MSG_SRV_GAME_OVER);
    EXPECT_FALSE(ToldOpponentLost());
    game.OnGameOverGrace();
    EXPECT_TRUE(ToldOpponentLost());
    EXPECT_EQ(env.navigations.back(), env.BaseUrl() + "p2pgame.php");
}

TEST_F(GameOverGrace, TheWordOfTheLastGameDoesNotEndARematchStartedWithinTheGrace) {
    FromRoom(MSG_SRV_MATCH_START);
    FromRoom(MSG_SRV_GAME_OVER);    // the opponent's page ended first
    game.GameEnd();                 // then the own one
    FromRoom(MSG_SRV_MATCH_START);  // the rematch is set up at once
    ASSERT_EQ(GamePagesOpened(), 2u);
    game.OnGameOverGrace();  // the grace of the first game runs out during the second
    EXPECT_FALSE(ToldOpponentLost());
    EXPECT_EQ(GamePagesOpened(), 2u);
    EXPECT_EQ(env.navigations.back().find(env.BaseUrl() + "p2pgame.php"), std::string::npos);
    EXPECT_TRUE(env.FetchedWith("quit_match").empty());
}

}  // namespace
}  // namespace lmn::game::test
