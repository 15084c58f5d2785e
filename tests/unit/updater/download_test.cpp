#include "download.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <thread>

#include "canned_server.h"
#include "child_process.h"
#include "fake_host.h"
#include "file_install.h"
#include "temp_dir.h"
#include "text.h"

namespace lmn::updater {
namespace {

using lmn::test::CannedServer;
using lmn::test::ChildProcess;
using lmn::test::FakeHost;
using lmn::test::HttpAnswer;
using lmn::test::ReadTestFile;
using lmn::test::RunEnded;
using lmn::test::TempDir;
using lmn::test::WriteTestFile;

bool Exists(const std::string& path) {
    struct stat st;
    return stat(path.c_str(), &st) == 0;
}

class DownloadTest : public ::testing::Test {
  protected:
    TempDir dir;
    FakeHost host;
    UpdateSession session{host, dir.path()};
};

TEST_F(DownloadTest, InstallsTheFileAndReportsProgress) {
    std::string body(25000, 'a');
    CannedServer server([&](const std::string&) { return HttpAnswer(200, body); });
    WriteTestFile(dir / "images/card/card_no_1_big.jpg", "old");
    ASSERT_TRUE(DownloadFile(session, server.url("/x.jpg"), dir / "images/card/card_no_1_big.jpg"));
    EXPECT_EQ(ReadTestFile(dir / "images/card/card_no_1_big.jpg"), body);
    EXPECT_FALSE(Exists(dir / "download.txt"));
    ASSERT_GE(host.statuses.size(), 3u);
    EXPECT_EQ(host.statuses.front(), Utf8ToGbk("正在下载文件:card_no_1_big.jpg"));
    EXPECT_EQ(host.statuses[1], Utf8ToGbk("正在下载文件:card_no_1_big.jpg(0/25000)"));
    EXPECT_EQ(host.statuses.back(), Utf8ToGbk("正在下载文件:card_no_1_big.jpg(25000/25000)"));
    EXPECT_EQ(host.progress.back(), (std::pair<int64_t, int64_t>{-1, 0}));
}

TEST_F(DownloadTest, FailedAttemptsLeaveTheInstalledFileAlone) {
    std::string answer;
    CannedServer server([&](const std::string&) { return answer; });
    std::string target = dir / "data/notice.txt";
    WriteTestFile(target, "whole old file");
    const std::vector<std::string> bad = {
        HttpAnswer(200, "<html>HTTP Error 404 - File not found</html>"),  // marker in an OK answer
        HttpAnswer(500, "<html>internal error</html>"),                   // error status without marker
        "HTTP/1.0 200 OK\r\nContent-Length: 9000\r\n\r\n" + std::string(3000, 'z'),  // cut transfer
    };
    for (const auto& a : bad) {
        answer = a;
        EXPECT_FALSE(DownloadFile(session, server.url("/notice.txt"), target)) << a.substr(0, 40);
        EXPECT_EQ(ReadTestFile(target), "whole old file");
    }
    EXPECT_FALSE(DownloadFile(session, "http://127.0.0.1:1/notice.txt", target));
    EXPECT_EQ(ReadTestFile(target), "whole old file");
}

TEST_F(DownloadTest, MarkerAfterAZeroByteDoesNotFailABinaryPiece) {
    std::string body = std::string("\xFF\xD8", 2) + std::string(1, '\0') + " 404 ";
    CannedServer server([&](const std::string&) { return HttpAnswer(200, body); });
    ASSERT_TRUE(DownloadFile(session, server.url("/p.jpg"), dir / "p.jpg"));
    EXPECT_EQ(ReadTestFile(dir / "p.jpg"), body);
}

TEST_F(DownloadTest, RetriesFourTimesThenPrompts) {
    CannedServer server([](const std::string&) { return HttpAnswer(404, "Not Found 404 page"); });
    host.answers = {true};
    EXPECT_THROW(DownloadWithRetry(session, server.url("/a/LMN_KX_Maker.exe"), dir / "LMN_KX_Maker.exe"),
                 RunEnded);
    EXPECT_EQ(server.requests().size(), 4u);
    EXPECT_EQ(host.sleptMs, 3000);
    ASSERT_EQ(host.questions.size(), 1u);
    EXPECT_EQ(host.questions[0],
              Utf8ToGbk("提示|下载LMN_KX_Maker.exe失败,\r\n升级失败，是否仍然要进入游戏?"));
    ASSERT_EQ(host.started.size(), 1u);
    EXPECT_EQ(host.started[0], dir / "LMN_KX.exe go");
}

TEST_F(DownloadTest, ProgramFilesBecomeExecutableAndDeepFoldersAreCreated) {
    CannedServer server([](const std::string&) { return HttpAnswer(200, "#!/bin/sh\n"); });
    ASSERT_TRUE(DownloadWithRetry(session, server.url("/LMN_KX_Maker.exe"), dir / "LMN_KX_Maker.exe"));
    struct stat st;
    ASSERT_EQ(stat((dir / "LMN_KX_Maker.exe").c_str(), &st), 0);
    EXPECT_TRUE(st.st_mode & S_IXUSR);

    std::string deep;
    for (int i = 0; i < 150; ++i) deep += "d/";
    ASSERT_TRUE(DownloadWithRetry(session, server.url("/f"), dir / (deep + "f.txt")));
    EXPECT_TRUE(Exists(dir / (deep + "f.txt")));
}

TEST_F(DownloadTest, TargetThatCannotBeReplacedFailsAfterBoundedTries) {
    ASSERT_EQ(mkdir((dir / "blocked.txt").c_str(), 0755), 0);
    WriteTestFile(dir / "blocked.txt/inside", "x");
    WriteTestFile(dir / "download.txt", "new");
    EXPECT_FALSE(InstallDownloadedFile(session, dir / "download.txt", dir / "blocked.txt"));
    EXPECT_EQ(host.sleptMs, (kInstallTries - 1) * 200);
    EXPECT_TRUE(host.messages.empty());
}

// A game client that is not running but cannot be replaced (here a folder stands in its way)
// takes the bounded tries: asking the player to close the game would ask for ever.
TEST_F(DownloadTest, GameClientBlockedForAnotherReasonIsNotAskedAbout) {
    ASSERT_EQ(mkdir((dir / "LMN_KX.exe").c_str(), 0755), 0);
    WriteTestFile(dir / "LMN_KX.exe/inside", "x");
    WriteTestFile(dir / "download.txt", "new client");
    host.onMessage = [&] {
        if (host.messages.size() >= 3) throw RunEnded{-1};
    };
    EXPECT_FALSE(InstallDownloadedFile(session, dir / "download.txt", dir / "LMN_KX.exe"));
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(host.sleptMs, (kInstallTries - 1) * 200);
}

// A running game client cannot be replaced: the player is asked to close the game until it is.
TEST_F(DownloadTest, RunningGameClientIsReplacedOnceItEnds) {
    std::string client = dir / "LMN_KX.exe";
    ASSERT_EQ(system(("cp /bin/sleep '" + client + "'").c_str()), 0);
    ChildProcess running({client, "30"});
    for (int i = 0; i < 200 && !IsRunningProgram(client); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    ASSERT_TRUE(IsRunningProgram(client));
    int shown = 0;
    host.onMessage = [&] {
        if (++shown == 2) running.Stop(0);
    };
    WriteTestFile(dir / "download.txt", "new client");
    ASSERT_TRUE(InstallDownloadedFile(session, dir / "download.txt", client));
    EXPECT_EQ(shown, 2);
    EXPECT_EQ(host.messages[0], "Update|" + Utf8ToGbk("无法覆盖文件") + client +
                                    Utf8ToGbk("，请确认是否已经退出正在运行的Lumenfold"));
    EXPECT_EQ(ReadTestFile(client), "new client");
}

}  // namespace
}  // namespace lmn::updater
