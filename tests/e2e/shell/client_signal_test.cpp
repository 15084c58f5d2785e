// The real LMN_KX.exe ends on SIGTERM (as a session logout or a service manager asks it to)
// once its sound is on, like any other program.
#include <gtest/gtest.h>
#include <signal.h>

#include <chrono>
#include <fstream>
#include <thread>

#include "client_process.h"
#include "devserver_process.h"
#include "temp_dir.h"

namespace lmn::shell::test {
namespace {

using lmn::test::DevServerProcess;
using lmn::test::TempDir;
using lmn::test::WriteTestFile;

// Whether the process has a handler of its own for the signal (the "SigCgt" mask of /proc).
bool CatchesSignal(pid_t pid, int signal) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("SigCgt:", 0) == 0)
            return (std::stoull(line.substr(7), nullptr, 16) >> (signal - 1)) & 1;
    }
    return false;
}

TEST(ClientSignals, SigtermEndsTheClientWithItsMusicPlaying) {
    DevServerProcess dev;
    ASSERT_TRUE(dev.ok());
    TempDir install;
    // With music on, the first client page opens the audio device.
    WriteTestFile(install / "config.ini", "[common]\r\nstrUrl=" + dev.baseUrl() + "\r\nbMusic=1\r\n");
    ClientProcess client(install.path(), {"go"},
                         {{"QT_QPA_PLATFORM", "offscreen"},
                          {"QTWEBENGINE_DISABLE_SANDBOX", "1"},
                          {"SDL_AUDIODRIVER", "dummy"}});
    ASSERT_TRUE(WaitUntil(
        [&] {
            for (const std::string& line : dev.LogLines("http"))
                if (line.find("index.php?type=client") != std::string::npos) return true;
            return false;
        },
        60000));
    std::this_thread::sleep_for(std::chrono::seconds(1));  // the music starts with that page
    ASSERT_TRUE(client.Running());
    EXPECT_FALSE(CatchesSignal(client.pid(), SIGTERM)) << "something took SIGTERM over";

    kill(client.pid(), SIGTERM);
    EXPECT_TRUE(WaitUntil([&] { return !client.Running(); }, 5000)) << "still running 5 s after SIGTERM";
}

}  // namespace
}  // namespace lmn::shell::test
