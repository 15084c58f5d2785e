// Real LMN_KX.exe clients against the devserver with its autoplay pages: two players log in,
// enter a room, ask for a match, are paired by the room server and play a whole battle while a
// third client watches; and a battle that loses its room server. Each client runs on its own
// virtual display, so its window can be photographed.
#include <gtest/gtest.h>

#include <QImage>
#include <chrono>
#include <filesystem>
#include <map>
#include <memory>
#include <set>
#include <thread>

#include "client_process.h"
#include "devserver_process.h"
#include "message_types.h"
#include "percent_decode.h"
#include "temp_dir.h"
#include "text.h"
#include "wait_until.h"

namespace lmn::shell::test {
namespace {

using lmn::net::MessageName;
using lmn::net::MSG_GAME_DEAL;
using lmn::net::MSG_SRV_LOAD_DONE;
using lmn::net::MSG_SRV_LOGIN;
using lmn::test::DevServerProcess;
using lmn::test::TempDir;
using lmn::test::WriteTestFile;

std::vector<std::string> Lines(const DevServerProcess& dev, const std::string& log, const std::string& part) {
    std::vector<std::string> hits;
    for (const std::string& line : dev.LogLines(log))
        if (line.find(part) != std::string::npos) hits.push_back(line);
    return hits;
}

// One player: an install folder logging in automatically as name, on a display of its own.
struct Player {
    Player(const DevServerProcess& dev, const std::string& name) {
        WriteTestFile(install / "config.ini", "[common]\r\nstrUrl=" + dev.baseUrl() +
                                                  "\r\nbMusic=0\r\nbSound=0\r\nbVoice=0\r\nbAutoLogin=1\r\n"
                                                  "strUserName=" +
                                                  name + "\r\nstrPassword=pw\r\n");
    }
    bool Start() {
        if (!display.ok()) return false;
        client = std::make_unique<ClientProcess>(
            install.path(), std::vector<std::string>{"go"},
            std::map<std::string, std::string>{{"DISPLAY", display.name()},
                                               {"QT_QPA_PLATFORM", "xcb"},
                                               {"QTWEBENGINE_DISABLE_SANDBOX", "1"},
                                               {"QTWEBENGINE_CHROMIUM_FLAGS", "--disable-gpu"}});
        return true;
    }
    // The whole screen, message boxes included.
    std::string ScreenShot(const std::string& name) const {
        const std::string path = std::string(LMN_BINARY_DIR) + "/test-artifacts/" + name;
        display.Run("import -window root " + path);
        return path;
    }
    std::string Shot(const std::string& name) const {
        const std::string dir = std::string(LMN_BINARY_DIR) + "/test-artifacts/";
        std::filesystem::create_directories(dir);
        const std::string path = dir + name;
        const std::string window =
            display.Run("xdotool search --onlyvisible --name 'Lumenfold-Orvane' | head -1");
        display.Run("import -window " + window.substr(0, window.find('\n')) + " " + path);
        return path;
    }
    // Whether a message box (the application's default caption) is open.
    bool MessageShown() const {
        return !display.Run("xdotool search --onlyvisible --name '^LMN_KX$'").empty();
    }
    void AnswerMessage() const {
        const std::string box = display.Run("xdotool search --onlyvisible --name '^LMN_KX$' | head -1");
        display.Run("xdotool windowfocus --sync " + box.substr(0, box.find('\n')) + " key Return");
    }

    TempDir install;
    XvfbServer display;
    std::unique_ptr<ClientProcess> client;
};

bool Photographed(const std::string& path) {
    QImage image(QString::fromStdString(path));
    return !image.isNull() && image.width() == 988 && image.height() == 630;
}

TEST(BattleE2E, TwoPlayersArePairedAndPlayAWholeBattleWhileAThirdWatches) {
    DevServerProcess dev({"--autoplay=1"});
    ASSERT_TRUE(dev.ok());
    Player a(dev, "playera"), b(dev, "playerb"), watcher(dev, "watchc");
    if (!a.Start() || !b.Start() || !watcher.Start()) GTEST_SKIP() << "no Xvfb";

    // Both battle pages open, with opposite first flags and the fixed human seeds.
    ASSERT_TRUE(WaitUntil([&] { return Lines(dev, "http", "/gameclient_fc.php?").size() >= 2; }, 120000));
    const auto pages = Lines(dev, "http", "/gameclient_fc.php?");
    std::set<std::string> firsts;
    for (const auto& page : pages) {
        firsts.insert(page.substr(page.find("first=") + 6, 1));
        EXPECT_NE(page.find("&seed1=100&seed2=200"), std::string::npos) << page;
    }
    EXPECT_EQ(firsts, (std::set<std::string>{"0", "1"}));

    // Photographs of both battle pages in the middle of the battle.
    ASSERT_TRUE(
        WaitUntil([&] { return Lines(dev, "room", MessageName(MSG_GAME_DEAL)).size() >= 60; }, 60000));
    EXPECT_TRUE(Photographed(a.Shot("battle_player_a.png")));
    EXPECT_TRUE(Photographed(b.Shot("battle_player_b.png")));

    // Each page saw 100 actions of the other, in order and unchanged, and the chat line.
    ASSERT_TRUE(WaitUntil([&] { return Lines(dev, "http", "report.txt?stage=battle").size() >= 2; }, 120000));
    int won = 0;
    for (const auto& line : Lines(dev, "http", "report.txt?stage=battle")) {
        const std::string report = lmn::PercentDecode(line);
        EXPECT_NE(report.find("&received=100&intact=100&"), std::string::npos) << report;
        // The first mover says hello at its tenth move; both pages show the line.
        EXPECT_NE(report.find("&chat=[player"), std::string::npos) << report;
        EXPECT_NE(report.find("]:你好hello"), std::string::npos) << report;
        EXPECT_EQ(report.substr(report.size() - 5), "&bad=") << report;
        won += report.find("&won=1") != std::string::npos;
    }
    EXPECT_EQ(won, 1);
    EXPECT_EQ(Lines(dev, "room", MessageName(MSG_GAME_DEAL)).size(), 200u);
    EXPECT_EQ(Lines(dev, "room", MessageName(MSG_SRV_LOAD_DONE)).size(), 2u);
    // The room server reads what the clients sent by the catalogue: nothing was short or long.
    EXPECT_EQ(Lines(dev, "room", " <"), std::vector<std::string>{});
    // Both ended the game normally: the match is deleted, nobody was told of a lost opponent.
    EXPECT_TRUE(WaitUntil([&] { return Lines(dev, "http", "type=[delete_match]").size() == 2; }, 10000));
    std::this_thread::sleep_for(std::chrono::seconds(2));
    EXPECT_TRUE(Lines(dev, "http", "type=[quit_match]").empty());
    EXPECT_FALSE(a.MessageShown());
    EXPECT_FALSE(b.MessageShown());

    // The watcher's page received the whole game.
    ASSERT_TRUE(WaitUntil([&] { return !Lines(dev, "http", "report.txt?stage=watch").empty(); }, 30000));
    const std::string watch = Lines(dev, "http", "report.txt?stage=watch").front();
    const int states = std::atoi(watch.substr(watch.find("states=") + 7).c_str());
    EXPECT_GE(states, 200) << watch;
    EXPECT_TRUE(Photographed(watcher.Shot("watch_page.png")));
    EXPECT_TRUE(a.client->Running() && b.client->Running() && watcher.client->Running());
}

TEST(BattleE2E, LosingTheRoomServerMidBattleTakesBothPlayersBackToTheHall) {
    auto dev = std::make_unique<DevServerProcess>(std::vector<std::string>{"--autoplay=1"});
    ASSERT_TRUE(dev->ok());
    const std::string host = dev->host();
    Player a(*dev, "faulta"), b(*dev, "faultb");
    if (!a.Start() || !b.Start()) GTEST_SKIP() << "no Xvfb";
    ASSERT_TRUE(
        WaitUntil([&] { return Lines(*dev, "room", MessageName(MSG_GAME_DEAL)).size() >= 20; }, 120000));

    dev->Stop();
    // Both players are told.
    EXPECT_TRUE(WaitUntil([&] { return a.MessageShown() && b.MessageShown(); }, 20000));
    std::this_thread::sleep_for(std::chrono::seconds(1));
    a.ScreenShot("room_server_lost_a.png");
    EXPECT_TRUE(a.client->Running() && b.client->Running());

    // The server comes back; once the players have read the message they are back in the
    // hall, and entering a room works again.
    dev = std::make_unique<DevServerProcess>(std::vector<std::string>{"--autoplay=1"}, host);
    ASSERT_TRUE(dev->ok());
    a.AnswerMessage();
    b.AnswerMessage();
    EXPECT_TRUE(WaitUntil([&] { return Lines(*dev, "http", "type=[quit_match]").size() >= 2; }, 20000));
    EXPECT_TRUE(WaitUntil([&] { return Lines(*dev, "http", "/p2pgame.php").size() >= 2; }, 20000));
    EXPECT_TRUE(
        WaitUntil([&] { return Lines(*dev, "room", MessageName(MSG_SRV_LOGIN)).size() >= 2; }, 60000));
    EXPECT_TRUE(a.client->Running() && b.client->Running());
}

}  // namespace
}  // namespace lmn::shell::test
