// The real LMN_KX.exe (offscreen) while its web server stops and comes back on the same
// address: the client keeps running and keeps answering its page's commands during the
// outage, and once the server is back the page reports in and the client opens its client
// page again; a client page that failed to load during an outage is asked for again once the
// server is back. The page is outage_page.html, served as faults/index.php.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>
#include <thread>

#include "client_process.h"
#include "devserver_process.h"
#include "folder_processes.h"
#include "temp_dir.h"

namespace lmn::shell::test {
namespace {

using lmn::test::DevServerProcess;
using lmn::test::TempDir;
using lmn::test::WriteTestFile;
using Clock = std::chrono::steady_clock;

const std::map<std::string, std::string> kOffscreen = {
    {"QT_QPA_PLATFORM", "offscreen"}, {"QTWEBENGINE_DISABLE_SANDBOX", "1"}, {"SDL_AUDIODRIVER", "dummy"}};

// Request targets of the server's log that contain part.
std::vector<std::string> Requests(const DevServerProcess& dev, const std::string& part) {
    std::vector<std::string> hits;
    for (const std::string& line : dev.LogLines("http"))
        if (line.find(part) != std::string::npos) hits.push_back(line.substr(line.find(' ') + 1));
    return hits;
}

// The number after key= in text, or -1.
int Value(const std::string& text, const std::string& key) {
    const size_t at = text.find(key + "=");
    return at == std::string::npos ? -1 : std::atoi(text.c_str() + at + key.size() + 1);
}

double Since(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

TEST(ClientServerStop, TheClientKeepsWorkingWhileTheWebServerIsDownAndRecovers) {
    // The devserver's pages plus the outage page.
    TempDir www;
    std::filesystem::copy(LMN_DEVSERVER_WWW, www.path(), std::filesystem::copy_options::recursive);
    WriteTestFile(
        www / "game/zrk/faults/index.php",
        lmn::test::ReadTestFile(std::string(LMN_SOURCE_DIR) + "/tests/e2e/faults/outage_page.html"));
    const std::vector<std::string> args = {"--www=" + www.path()};
    auto dev = std::make_unique<DevServerProcess>(args);
    ASSERT_TRUE(dev->ok());
    const std::string host = dev->host();

    TempDir install;
    WriteTestFile(install / "config.ini", "[common]\r\nstrUrl=" + dev->baseUrl() + "faults/\r\nbMusic=0\r\n");
    ClientProcess client(install.path(), {"go"}, kOffscreen);
    ASSERT_TRUE(WaitUntil([&] { return !Requests(*dev, "report.txt?load&n=1").empty(); }, 60000));
    ASSERT_TRUE(WaitUntil([&] { return Requests(*dev, "report.txt?ping").size() >= 3; }, 20000));

    // The outage: the client keeps running the whole time.
    dev->Stop();
    const auto down = Clock::now();
    while (Since(down) < 6) {
        ASSERT_TRUE(client.Running()) << "the client ended " << Since(down) << " s into the outage";
        std::this_thread::sleep_for(std::chrono::milliseconds(250));
    }

    // The server comes back on the same address; the page reports what it saw meanwhile.
    dev = std::make_unique<DevServerProcess>(args, host);
    ASSERT_TRUE(dev->ok());
    const auto back = Clock::now();
    ASSERT_TRUE(WaitUntil([&] { return !Requests(*dev, "report.txt?recovered").empty(); }, 20000));
    const double reportSeconds = Since(back);
    const std::string recovered = Requests(*dev, "report.txt?recovered").front();
    const int downSent = Value(recovered, "down_sent"), downReplies = Value(recovered, "down_replies");
    EXPECT_GE(Value(recovered, "failed"), 10) << recovered;
    EXPECT_GE(downSent, 20) << recovered;
    EXPECT_GE(downReplies, downSent - 2) << "commands of the outage went unanswered: " << recovered;

    // The page goes to the plain index page; the client opens its client page again.
    ASSERT_TRUE(WaitUntil([&] { return !Requests(*dev, "report.txt?load&n=2").empty(); }, 30000));
    const double reloadSeconds = Since(back);
    EXPECT_EQ(Requests(*dev, "/game/zrk/index.php").size(), 0u) << "the plain index page itself never loads";
    ASSERT_EQ(Requests(*dev, "/faults/index.php?type=client").size(), 1u);
    std::printf(
        "outage 6 s: %d commands sent, %d answered; page reported %.2f s and client page back %.2f s "
        "after the server returned\n",
        downSent, downReplies, reportSeconds, reloadSeconds);

    // A second outage, in which the page asks for the client page again: the client tries to
    // open it, finds no server, and still runs.
    ASSERT_TRUE(WaitUntil([&] { return Requests(*dev, "report.txt?ping&load=2").size() >= 2; }, 20000));
    dev->Stop();
    const auto secondDown = Clock::now();
    while (Since(secondDown) < 4) {
        ASSERT_TRUE(client.Running())
            << "the client ended " << Since(secondDown) << " s into the second outage";
        std::this_thread::sleep_for(std::chrono::milliseconds(250));
    }
    dev = std::make_unique<DevServerProcess>(args, host);
    ASSERT_TRUE(dev->ok());
    const auto secondBack = Clock::now();
    // The failed load of the client page is followed by another try 10 s later (then at
    // growing pauses), which finds the server back.
    EXPECT_TRUE(WaitUntil([&] { return !Requests(*dev, "/faults/index.php?type=client").empty(); }, 30000))
        << "nothing asked for the client page again";
    EXPECT_TRUE(client.Running());
    std::printf("client page asked for again %.2f s after the server returned from the second outage\n",
                Since(secondBack));
    EXPECT_EQ(lmn::test::ProcessesRunningFrom(install.path()).size(), 1u) << "only LMN_KX.exe itself";
    client.Stop();
    EXPECT_TRUE(WaitUntil([&] { return lmn::test::ProcessesRunningFrom(install.path()).empty(); }, 10000));
}

}  // namespace
}  // namespace lmn::shell::test
