// Flash movies in the real programs against the devserver: movies in the client page talk to the
// program through the command host (both embeddings; targets _self, a named frame and _blank),
// broken movies spoil nothing, the introduction movies play and a click on them opens the client
// page, the about page and the card maker's page play movies, and a game folder without the
// player works as before.
#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <thread>

#include "client_process.h"
#include "devserver_process.h"
#include "flash_folder.h"
#include "message_types.h"
#include "percent_decode.h"
#include "temp_dir.h"
#include "wait_until.h"

namespace lmn::flash::test {
namespace {

using lmn::PercentDecode;
using lmn::net::MessageName;
using lmn::net::MSG_GAME_DEAL;
using lmn::test::DevServerProcess;
using lmn::test::TempDir;
using lmn::test::WriteTestFile;
using lmn::test::XvfbServer;
using shell::test::ClientProcess;
using shell::test::WaitUntil;

const char* const kSettingsReply =
    "type=[setting]&bMusic=0&bSound=1&bVoice=1&bAutoLogin=0&username=&password=&bSaveRecord=1&bOutIP=0";

// The devserver's logged requests containing part, without the peer address.
std::vector<std::string> Requests(const DevServerProcess& dev, const std::string& part) {
    std::vector<std::string> hits;
    for (const std::string& line : dev.LogLines("http"))
        if (line.find(part) != std::string::npos)
            hits.push_back(PercentDecode(line.substr(line.find(' ') + 1)));
    return hits;
}

std::map<std::string, std::string> DisplayEnv(const XvfbServer& display) {
    return {{"DISPLAY", display.name()},
            {"QT_QPA_PLATFORM", "xcb"},
            {"QTWEBENGINE_DISABLE_SANDBOX", "1"},
            {"QTWEBENGINE_CHROMIUM_FLAGS", "--disable-gpu"},
            {"SDL_AUDIODRIVER", "dummy"}};
}

void WriteConfig(const TempDir& install, const std::string& baseUrl, bool music) {
    WriteTestFile(install / "config.ini",
                  "[common]\r\nstrUrl=" + baseUrl + "\r\nbMusic=" + (music ? "1" : "0") + "\r\n");
}

bool Green(QColor c) {
    return c.green() > 150 && c.red() < 90 && c.blue() < 110;
}

std::string ReadAll(const std::string& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(FlashE2E, MoviesInTheClientPageTalkToTheProgramThroughTheCommandHost) {
    XvfbServer display;
    if (!display.ok()) GTEST_SKIP() << "no Xvfb";
    DevServerProcess dev;
    ASSERT_TRUE(dev.ok());
    TempDir install;
    WriteConfig(install, dev.baseUrl() + "flashtest/", false);
    AddFlashPlayer(install.path());
    ClientProcess client(install.path(), {"go"}, DisplayEnv(display));

    // Each movie sends [get_setting] with getURL, gets the reply through its callback and hands
    // it to the page, which reports it; the next movie is placed only after that.
    ASSERT_TRUE(WaitUntil([&] { return !Requests(dev, "report.txt?stage=done").empty(); }, 90000))
        << ReadAll(install / "client.log");
    const auto got = Requests(dev, "report.txt?stage=got");
    ASSERT_EQ(got.size(), 3u);
    const char* movies[] = {"embed", "object", "blank"};
    for (size_t i = 0; i < got.size(); ++i) {
        EXPECT_EQ(got[i], "/game/zrk/flashtest/report.txt?stage=got&movie=" + std::string(movies[i]) +
                              "&text=" + kSettingsReply);
    }
    EXPECT_EQ(Requests(dev, "report.txt?stage=ready").size(), 3u);
    EXPECT_TRUE(Requests(dev, "/game/zrk/flash/missing.swf").size() >= 1u)
        << "the missing movie was asked for";

    // Where each object stands the movie has drawn its answered (green) picture.
    const std::string window = FindWindow(display, "Lumenfold-Orvane");
    ASSERT_FALSE(window.empty());
    std::this_thread::sleep_for(std::chrono::seconds(1));
    const QImage picture = Picture(display, window, "flash_client_page.png");
    ASSERT_EQ(picture.size(), QSize(988, 630));
    for (int left : {20, 344, 668}) {
        EXPECT_GT(Share(picture, QRect(left, 60, 300, 200), Green), 0.6) << "movie at x=" << left;
    }
    EXPECT_LT(Share(picture, QRect(20, 320, 624, 200), Green), 0.05) << "broken movies draw no movie";
    EXPECT_TRUE(client.Running());
}

TEST(FlashE2E, TheIntroductionMoviesPlayAndAClickOpensTheClientPage) {
    XvfbServer display;
    if (!display.ok()) GTEST_SKIP() << "no Xvfb";
    DevServerProcess dev;
    ASSERT_TRUE(dev.ok());
    TempDir install;
    WriteConfig(install, dev.baseUrl(), true);
    AddFlashPlayer(install.path());
    AddIntroduction(install.path());
    ClientProcess client(install.path(), {"go"}, DisplayEnv(display));

    std::string window;
    ASSERT_TRUE(
        WaitUntil([&] { return !(window = FindWindow(display, "Lumenfold-Orvane")).empty(); }, 30000));
    // The first movie: its title in gold and its fan of cards, none of them green.
    const auto gold = [](QColor c) { return c.red() > 200 && c.green() > 170 && c.blue() < 140; };
    const auto purple = [](QColor c) { return c.red() > 70 && c.blue() > 100 && c.green() < 90; };
    const auto teal = [](QColor c) { return c.green() > 100 && c.red() < 90 && c.green() > c.blue() - 20; };
    QImage first;
    ASSERT_TRUE(WaitUntil(
        [&] {
            first = Picture(display, window, "flash_intro_open.png");
            return Share(first, QRect(0, 400, 988, 120), gold) > 0.01 &&
                   Share(first, QRect(300, 100, 388, 250), purple) > 0.05;
        },
        20000));
    EXPECT_LT(Share(first, QRect(300, 100, 388, 250), teal), 0.01);

    // Ten seconds on, the second movie (music on): its cards are teal and green.
    QImage second;
    ASSERT_TRUE(WaitUntil(
        [&] {
            second = Picture(display, window, "flash_intro_pt.png");
            return Share(second, QRect(300, 100, 388, 250), teal) > 0.05;
        },
        40000));
    EXPECT_TRUE(Requests(dev, "index.php?type=client").empty())
        << "the client page waits for the introduction";

    // A click on the movie skips the rest of the introduction: the client page opens at once
    // (without it, it would come 96 s later).
    display.Run("xdotool mousemove --window " + window + " 494 300 click 1");
    EXPECT_TRUE(WaitUntil([&] { return !Requests(dev, "index.php?type=client").empty(); }, 30000));
    EXPECT_TRUE(client.Running());
}

TEST(FlashE2E, TwoPlayersPlayAWholeBattleWhoseGameRunsInTheMovie) {
    DevServerProcess dev({"--autoplay=1", "--flash-battle=1"});
    ASSERT_TRUE(dev.ok());
    XvfbServer display;
    if (!display.ok()) GTEST_SKIP() << "no Xvfb";
    TempDir a, b;
    for (const auto& [install, name] :
         {std::pair<const TempDir*, const char*>{&a, "flasha"}, {&b, "flashb"}}) {
        WriteTestFile(*install / "config.ini", "[common]\r\nstrUrl=" + dev.baseUrl() +
                                                   "\r\nbMusic=0\r\nbSound=0\r\nbVoice=0\r\nbAutoLogin=1\r\n"
                                                   "strUserName=" +
                                                   name + "\r\nstrPassword=pw\r\n");
        AddFlashPlayer(install->path());
    }
    ClientProcess first(a.path(), {"go"}, DisplayEnv(display));
    ClientProcess second(b.path(), {"go"},
                         {{"QT_QPA_PLATFORM", "offscreen"}, {"QTWEBENGINE_DISABLE_SANDBOX", "1"}});

    // Mid-battle, player A's window shows the game drawn by the movie: its glowing points.
    ASSERT_TRUE(WaitUntil(
        [&] { return dev.LogLines("room").size() > 0 && Requests(dev, "/flash/battle.swf").size() >= 2; },
        120000));
    const auto deals = [&] {
        const auto lines = dev.LogLines("room");
        return std::count_if(lines.begin(), lines.end(), [](const std::string& l) {
            return l.find(MessageName(MSG_GAME_DEAL)) != std::string::npos;
        });
    };
    ASSERT_TRUE(WaitUntil([&] { return deals() >= 40; }, 90000));
    const std::string window = FindWindow(display, "Lumenfold-Orvane");
    ASSERT_FALSE(window.empty());
    const QImage picture = Picture(display, window, "flash_battle.png");
    const auto point = [](QColor c) { return c.red() > 200 && c.green() > 170 && c.blue() < 170; };
    EXPECT_GT(Share(picture, picture.rect(), point), 0.002);

    // Every move of both sides went out from the movie and came back into the other one, unchanged.
    ASSERT_TRUE(WaitUntil([&] { return Requests(dev, "report.txt?stage=battle").size() >= 2; }, 180000));
    int won = 0;
    for (const std::string& report : Requests(dev, "report.txt?stage=battle")) {
        EXPECT_NE(report.find("&movie=100&received=100&intact=100&"), std::string::npos) << report;
        won += report.find("&won=1") != std::string::npos;
    }
    EXPECT_EQ(won, 1);
    EXPECT_EQ(deals(), 200);
    EXPECT_TRUE(first.Running() && second.Running());
}

TEST(FlashE2E, TheAboutPageAndTheCardMakerPagePlayMovies) {
    XvfbServer display;
    if (!display.ok()) GTEST_SKIP() << "no Xvfb";
    DevServerProcess dev;
    ASSERT_TRUE(dev.ok());
    TempDir install;
    WriteConfig(install, dev.baseUrl() + "flashabout/", false);
    AddFlashPlayer(install.path());

    {
        MakerProcess maker(
            install.path(),
            "url=" + dev.baseUrl() + "flashtest/;username=flash;userid=7;type=0;arg=", DisplayEnv(display));
        EXPECT_TRUE(WaitUntil([&] { return !Requests(dev, "stage=ready&movie=maker").empty(); }, 60000))
            << ReadAll(install / "maker.log");
    }

    // The client page asks for the program's menu; its last item opens the about page.
    ClientProcess client(install.path(), {"go"}, DisplayEnv(display));
    ASSERT_TRUE(WaitUntil([&] { return !FindWindow(display, "Lumenfold-Orvane").empty(); }, 30000));
    ASSERT_TRUE(
        WaitUntil([&] { return !Requests(dev, "/flashabout/index.php?type=client").empty(); }, 30000));
    std::this_thread::sleep_for(std::chrono::seconds(2));
    display.Run("xdotool key Up Return");
    EXPECT_TRUE(WaitUntil([&] { return !Requests(dev, "/flashabout/about.php?version=").empty(); }, 20000));
    EXPECT_TRUE(WaitUntil([&] { return !Requests(dev, "stage=ready&movie=about").empty(); }, 60000))
        << ReadAll(install / "client.log");
}

TEST(FlashE2E, WithoutThePlayerPagesWorkAsBeforeAndOneLineSaysSo) {
    DevServerProcess dev;
    ASSERT_TRUE(dev.ok());
    TempDir install;
    WriteConfig(install, dev.baseUrl(), false);
    AddIntroduction(install.path());
    ClientProcess client(install.path(), {"go"},
                         {{"QT_QPA_PLATFORM", "offscreen"}, {"QTWEBENGINE_DISABLE_SANDBOX", "1"}});
    // The introduction still runs its course and the client page loads with its style sheet.
    ASSERT_TRUE(WaitUntil([&] { return !Requests(dev, "/game/zrk/css/game.css").empty(); }, 60000));
    EXPECT_EQ(Requests(dev, "index.php?type=client").size(), 1u);
    const std::string log = ReadAll(install / "client.log");
    size_t said = 0;
    for (size_t at = log.find("flash: no Flash player"); at != std::string::npos;
         at = log.find("flash: no Flash player", at + 1))
        ++said;
    EXPECT_EQ(said, 1u) << log;
    EXPECT_TRUE(client.Running());
}

}  // namespace
}  // namespace lmn::flash::test
