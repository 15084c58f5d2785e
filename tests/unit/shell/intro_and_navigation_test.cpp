#include <gtest/gtest.h>

#include <algorithm>

#include "paths.h"
#include "shell_fixture.h"
#include "text.h"
#include "timer_table.h"

namespace lmn::shell::test {
namespace {

using lmn::test::ReadTestFile;
using lmn::test::WriteTestFile;

class Intro : public ShellFixture {
  protected:
    void InstallIntro(bool first, bool second) {
        if (first) {
            WriteTestFile(dir / "open.html", "<html></html>");
            WriteTestFile(dir / "flash/open.swf", "FWS");
        }
        if (second) {
            WriteTestFile(dir / "pt.html", "<html></html>");
            WriteTestFile(dir / "flash/pt.swf", "FWS");
        }
    }
    void SetMusic(int on) {
        WriteTestFile(dir / "config.ini", "[common]\r\nbMusic=" + std::to_string(on) + "\r\n");
    }
    // When the client page was first asked for, on the virtual clock; -1 if never.
    long ClientPageAt(long until) {
        while (host.Now() < until) {
            host.Advance(1);
            for (const auto& url : host.navigations) {
                if (url.find("index.php?type=client") != std::string::npos) return host.Now();
            }
        }
        return -1;
    }
    bool Shown(const std::string& page) const {
        for (const auto& url : host.navigations) {
            if (url == dir.path() + page) return true;
        }
        return false;
    }
};

TEST_F(Intro, WithMusicBothPagesPlayAndTheClientPageFollowsTheLongOne) {
    InstallIntro(true, true);
    SetMusic(1);
    Open();
    EXPECT_EQ(ClientPageAt(106000), -1);
    EXPECT_TRUE(Shown("open.html"));
    EXPECT_TRUE(Shown("pt.html"));
    EXPECT_EQ(ClientPageAt(106010), 106001);
}

TEST_F(Intro, WithoutMusicTheSecondPageNeverShowsAndTheClientPageComesAfterTenSeconds) {
    InstallIntro(true, true);
    SetMusic(0);
    Open();
    EXPECT_EQ(ClientPageAt(20000), 10001);
    EXPECT_TRUE(Shown("open.html"));
    host.Advance(200000);
    EXPECT_FALSE(Shown("pt.html"));
}

TEST_F(Intro, MissingFilesSkipTheirPage) {
    InstallIntro(true, false);
    WriteTestFile(dir / "pt.html", "<html></html>");  // its movie is missing
    SetMusic(1);
    Open();
    EXPECT_EQ(ClientPageAt(20000), 10002);
    EXPECT_FALSE(Shown("pt.html"));
}

TEST_F(Intro, NoIntroductionAtAllOpensTheClientPageAtOnce) {
    Open();
    EXPECT_EQ(ClientPageAt(100), 2);
}

TEST_F(Intro, AClickOnAnIntroductionPageSkipsItButLaterClicksDoNothing) {
    InstallIntro(true, true);
    SetMusic(1);
    Open();
    host.Advance(500);
    ASSERT_TRUE(Shown("open.html"));
    EXPECT_TRUE(dlg->OnLeftButtonDown());
    EXPECT_EQ(ClientPageAt(600), 501);
    host.Advance(200000);
    EXPECT_FALSE(Shown("pt.html")) << "the second page's timer was killed";
    const size_t navigations = host.navigations.size();
    host.currentUrl = dir.path() + "open.html";  // even on an intro address once the client page ran
    EXPECT_FALSE(dlg->OnLeftButtonDown());
    host.Advance(10);
    EXPECT_EQ(host.navigations.size(), navigations);
}

using Navigation = ShellFixture;

TEST_F(Navigation, ClientPageCarriesNameAndPasswordOnlyWithAutoLogin) {
    WriteTestFile(
        dir / "config.ini",
        "[common]\r\nstrUrl=http://srv/game/zrk/\r\nbAutoLogin=1\r\nstrUserName=Ann\r\nstrPassword=pw\r\n");
    server.Reply("[get_out_ip]", "203.0.113.9");
    server.Reply("[get_srv_ip]", "RequestIpInterval=30&IP=10.1.1.1&ConnectSrvInterval=20");
    OpenToClientPage();
    EXPECT_EQ(host.navigations.at(0), "http://srv/game/zrk/index.php?type=client&path=" + dir.path() +
                                          "&ip=192.168.7.20&username=Ann&password=pw&binip2outip=0");
    EXPECT_EQ(server.Fetched(),
              (std::vector<std::string>{"http://srv/game/zrk/client_process/process.php?type=[get_out_ip]",
                                        "http://srv/game/zrk/client_process/process.php?type=[get_srv_ip]"}));
    EXPECT_EQ(dlg->context().state().outsideIp, "203.0.113.9");
    EXPECT_EQ(dlg->context().lobby().RoomServerAddress(), "10.1.1.1");
    EXPECT_EQ(dlg->context().lobby().RefreshIntervalMs(), 30000);
    EXPECT_EQ(log.at(1), "music start") << "music starts with the first client page";
}

TEST_F(Navigation, PlainIndexPageIsCancelledAndTheClientPageOpensAgain) {
    WriteTestFile(dir / "config.ini", "[common]\r\nbAutoLogin=1\r\nstrUserName=ann\r\nstrPassword=pw\r\n");
    WriteTestFile(dir / "trace/KX_log.txt", "");
    OpenToClientPage();
    const size_t runs = host.navigations.size();
    EXPECT_TRUE(dlg->OnBeforeNavigate("http://127.0.0.1/game/zrk/index.php"));
    EXPECT_TRUE(dlg->OnBeforeNavigate("http://127.0.0.1/game/zrk/index.php?a=1&xtype=clien"));
    EXPECT_FALSE(dlg->OnBeforeNavigate("http://127.0.0.1/game/zrk/index.php?type=client&path=/x/"));
    EXPECT_FALSE(dlg->OnBeforeNavigate("http://127.0.0.1/game/zrk/p2pgame.php"));
    host.Advance(2);
    ASSERT_EQ(host.navigations.size(), runs + 1) << "two cancellations in a row restart one timer";
    EXPECT_NE(host.navigations.back().find("&username=ann&password=pw&"), std::string::npos);
    dlg->OnNavigateComplete("http://127.0.0.1/game/zrk/index.php?page=2");
    dlg->OnNavigateComplete("http://127.0.0.1/game/zrk/index.php?type=client");
    host.Advance(2);
    EXPECT_EQ(host.navigations.size(), runs + 2);
    EXPECT_EQ(ReadTestFile(dir / "trace/KX_log.txt"), "221");
    EXPECT_EQ(std::count(log.begin(), log.end(), "music start"), 1) << "music starts on the first run only";
}

TEST_F(Navigation, TraceFileIsNeverCreated) {
    OpenToClientPage();
    dlg->OnBeforeNavigate("http://h/game/zrk/index.php");
    dlg->OnNavigateComplete("http://h/game/zrk/index.php");
    EXPECT_FALSE(PathExists(dir / "trace/KX_log.txt"));
}

TEST_F(Navigation, WatchPageWaitsForItsLoadReport) {
    OpenToClientPage();
    PageSends("[game_client_loadover]");
    EXPECT_EQ(dlg->context().state().pageReady, 1);
    EXPECT_FALSE(dlg->OnBeforeNavigate("http://h/game/zrk/watch_match.php?id=1"));
    EXPECT_EQ(dlg->context().state().pageReady, 0);
}

TEST_F(Navigation, NewWindowsOutsideThePortalOpenInTheUsersBrowser) {
    OpenToClientPage();
    EXPECT_TRUE(dlg->OnNewWindow("http://portal.lumenfold.example/news"));
    EXPECT_TRUE(host.openedInBrowser.empty());
    EXPECT_FALSE(dlg->OnNewWindow("http://elsewhere.example/"));
    EXPECT_EQ(host.openedInBrowser, std::vector<std::string>{"http://elsewhere.example/"});
}

}  // namespace
}  // namespace lmn::shell::test
