// The real LMN_KX.exe against the devserver: start-up rule, client page, the command bridge
// in both directions, settings, the plain index page, a burst of commands, the window itself.
#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <chrono>
#include <filesystem>
#include <map>
#include <thread>

#include "client_process.h"
#include "devserver_process.h"
#include "percent_decode.h"
#include "profile.h"
#include "temp_dir.h"
#include "wait_until.h"

namespace lmn::shell::test {
namespace {

using lmn::test::DevServerProcess;
using lmn::test::TempDir;
using lmn::test::WriteTestFile;

const std::map<std::string, std::string> kOffscreen = {{"QT_QPA_PLATFORM", "offscreen"},
                                                       {"QTWEBENGINE_DISABLE_SANDBOX", "1"}};

// Requests of the devserver's log whose target contains part.
std::vector<std::string> Requests(const DevServerProcess& dev, const std::string& part) {
    std::vector<std::string> hits;
    for (const std::string& line : dev.LogLines("http")) {
        if (line.find(part) != std::string::npos) hits.push_back(line.substr(line.find(' ') + 1));
    }
    return hits;
}

void WriteConfig(const std::string& path, const std::string& baseUrl) {
    WriteTestFile(path, "[common]\r\nstrUrl=" + baseUrl + "\r\nbMusic=0\r\n");
}

TEST(ClientE2E, WithoutGoTheUpdaterStartsAndTheClientEnds) {
    TempDir install;
    WriteTestFile(install / "Update.exe",
                  "#!/bin/sh\necho started \"$@\" > \"$(dirname \"$0\")/updater-ran\"\n");
    std::filesystem::permissions(install / "Update.exe", std::filesystem::perms::owner_all);
    for (const std::vector<std::string>& args : {std::vector<std::string>{}, {"GO"}, {"go", ""}}) {
        std::filesystem::remove(install / "updater-ran");
        ClientProcess client(install.path(), args, kOffscreen);
        EXPECT_EQ(client.WaitForExit(30000), 0);
        EXPECT_TRUE(WaitUntil([&] { return std::filesystem::exists(install / "updater-ran"); }, 10000))
            << args.size();
    }
}

TEST(ClientE2E, PageAndProgramTalkThroughTheBridge) {
    DevServerProcess dev;
    ASSERT_TRUE(dev.ok());
    TempDir install;
    const std::string testBase = dev.baseUrl() + "test/";
    WriteConfig(install / "config.ini", testBase);
    ClientProcess client(install.path(), {"go"}, kOffscreen);

    // The client page, with the install folder and this machine's address.
    ASSERT_TRUE(WaitUntil([&] { return !Requests(dev, "/test/index.php?type=client").empty(); }, 60000));
    const std::string first = Requests(dev, "/test/index.php?type=client").front();
    EXPECT_EQ(first.rfind("/game/zrk/test/index.php?type=client&path=" + install.path() + "&ip=", 0), 0u)
        << first;
    EXPECT_NE(first.find("&binip2outip=0"), std::string::npos);

    // The page's [get_setting] is answered through client_cmd.
    ASSERT_TRUE(WaitUntil([&] { return !Requests(dev, "report.txt?stage=settings").empty(); }, 30000));
    EXPECT_EQ(
        lmn::PercentDecode(Requests(dev, "report.txt?stage=settings").front()),
        "/game/zrk/test/report.txt?stage=settings&got=type=[setting]&bMusic=0&bSound=1&bVoice=1&bAutoLogin=0&"
        "username=&password=&bSaveRecord=1&bOutIP=0");

    // 200 commands fired in one loop, with a save of another name halfway: every reply arrives,
    // and in order.
    ASSERT_TRUE(WaitUntil([&] { return !Requests(dev, "report.txt?stage=burst").empty(); }, 60000));
    std::string expected = "/game/zrk/test/report.txt?stage=burst&count=200&names=";
    for (int i = 0; i < 200; ++i) expected += std::string(i ? "," : "") + (i < 100 ? "e2euser" : "half");
    EXPECT_EQ(Requests(dev, "report.txt?stage=burst").front(), expected);

    // The plain index page is refused and the client page comes back.
    ASSERT_TRUE(WaitUntil([&] { return !Requests(dev, "report.txt?stage=back").empty(); }, 30000));
    EXPECT_EQ(Requests(dev, "/game/zrk/index.php").size(), 0u) << "the plain index page never loads";
    const auto clientPages = Requests(dev, "/test/index.php?type=client");
    ASSERT_EQ(clientPages.size(), 3u) << "start, the settings reload, after the plain index page";
    EXPECT_NE(clientPages[1].find("&refresh=1&binip2outip=0"), std::string::npos) << clientPages[1];
    EXPECT_EQ(clientPages[2].find("&refresh=1"), std::string::npos) << clientPages[2];

    // The mixed-case password is stored in lower case; the other keys stay.
    ProfileFile ini(install / "config.ini");
    EXPECT_EQ(ini.GetString("common", "strPassword", "?"), "mixed");
    EXPECT_EQ(ini.GetString("common", "strUserName", "?"), "half");
    EXPECT_EQ(ini.GetString("common", "strUrl", "?"), testBase) << "[change_base_url] is not saved";

    // A page that sends every command through one frame is not cut off by the browser's limit on
    // how often one frame may navigate.
    ASSERT_TRUE(WaitUntil([&] { return !Requests(dev, "report.txt?stage=oneframe").empty(); }, 60000))
        << "a command sent through one frame was lost";
    EXPECT_EQ(Requests(dev, "report.txt?stage=oneframe").front(),
              "/game/zrk/test/report.txt?stage=oneframe&count=250");
    EXPECT_TRUE(client.Running());
}

// Share of pixels in the window's area that differ from its most common colour.
double Variety(const QImage& image, const QRect& area) {
    std::map<QRgb, int> counts;
    for (int y = area.top(); y <= area.bottom(); y += 2) {
        for (int x = area.left(); x <= area.right(); x += 2) ++counts[image.pixel(x, y)];
    }
    int total = 0, most = 0;
    for (const auto& [colour, n] : counts) {
        total += n;
        most = std::max(most, n);
    }
    return total ? 1.0 - static_cast<double>(most) / total : 0.0;
}

TEST(ClientE2E, TheWindowShowsTheClientPageAndHidesOnTheHotKey) {
    XvfbServer display;
    if (!display.ok()) GTEST_SKIP() << "no Xvfb";
    DevServerProcess dev;
    ASSERT_TRUE(dev.ok());
    TempDir install;
    WriteConfig(install / "config.ini", dev.baseUrl());
    std::map<std::string, std::string> env = {{"DISPLAY", display.name()},
                                              {"QT_QPA_PLATFORM", "xcb"},
                                              {"QTWEBENGINE_DISABLE_SANDBOX", "1"},
                                              {"QTWEBENGINE_CHROMIUM_FLAGS", "--disable-gpu"}};
    ClientProcess client(install.path(), {"go"}, env);
    ASSERT_TRUE(WaitUntil([&] { return !Requests(dev, "/game/zrk/css/game.css").empty(); }, 60000));
    const std::string find = "xdotool search --onlyvisible --name 'Lumenfold-Orvane'";
    ASSERT_TRUE(WaitUntil([&] { return !display.Run(find).empty(); }, 20000));
    const std::string window = display.Run(find).substr(0, display.Run(find).find('\n'));
    const std::string geometry = display.Run("xdotool getwindowgeometry " + window);
    EXPECT_NE(geometry.find("Geometry: 988x630"), std::string::npos) << geometry;

    // Let the page draw, then keep a picture of the window as a test artifact.
    std::this_thread::sleep_for(std::chrono::seconds(3));
    const std::string artifacts = std::string(LMN_BINARY_DIR) + "/test-artifacts/";
    std::filesystem::create_directories(artifacts);
    const std::string shot = artifacts + "client_window.png";
    display.Run("import -window " + window + " " + shot);
    QImage image(QString::fromStdString(shot));
    ASSERT_FALSE(image.isNull()) << shot;
    EXPECT_EQ(image.size(), QSize(988, 630));
    EXPECT_GT(Variety(image, image.rect()), 0.05) << "the window is not one flat colour";

    // Alt+X hides the window, a second Alt+X brings it back.
    display.Run("xdotool key alt+x");
    EXPECT_TRUE(WaitUntil([&] { return display.Run(find).empty(); }, 10000));
    display.Run("xdotool key alt+x");
    EXPECT_TRUE(WaitUntil([&] { return !display.Run(find).empty(); }, 10000));
    EXPECT_TRUE(client.Running());
}

}  // namespace
}  // namespace lmn::shell::test
