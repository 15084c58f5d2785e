// "退出" against a web server that accepts every request and never answers: the program ends
// at once, with a presence report stuck in its request on a worker thread and the address poll
// waiting. Runs in a child process, since quitting ends every request of the process for good.
#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <thread>

#include "fake_host.h"
#include "http.h"
#include "lmn_kx_dlg.h"
#include "menus.h"
#include "server_access.h"
#include "stub_web_server.h"
#include "temp_dir.h"

namespace lmn::shell::test {
namespace {

using namespace std::chrono_literals;

constexpr int kEnded = 7;
constexpr int kHung = 3;

void QuitAgainstASilentServer() {
    lmn::test::StubWebServer server;
    lmn::test::TempDir dir;
    lmn::test::WriteTestFile(dir / "config.ini",
                             "[common]\r\nstrUrl=" + server.origin() + "/zrk/\r\nbMusic=0\r\n");
    // The start-up requests give up quickly; afterwards a silent server would hold one for a minute.
    SetHttpLimits({500ms, 300ms, 5});
    EventLog log;
    FakeHost host(log);
    HttpServerAccess access(dir.path());
    auto dlg = std::make_unique<CLMN_KXDlg>(ShellDeps{host, access, dir.path()});
    host.onTimer = [&](int id) { dlg->OnTimer(id); };
    dlg->OnInitDialog();
    host.Advance(5);
    SetHttpLimits({500ms, 60s, 5});

    dlg->OnBeforeNavigate("http://lmnkx-cmd/[userinfo]&userinfo=userid[marlowen]5;username[marlowen]ann;");
    host.Advance(10);
    host.Advance(600000);  // the presence report starts on its worker thread
    while (server.TargetsWith("[add_activep]").empty()) std::this_thread::sleep_for(10ms);

    // From the click on "退出", the process has a few seconds to be done with everything.
    std::thread([] {
        std::this_thread::sleep_for(10s);
        std::_Exit(kHung);
    }).detach();
    dlg->OnMenuCommand(kCmdTrayQuit);
    const bool quit = host.quitCode == 0;
    dlg.reset();
    std::_Exit(quit && server.TargetsWith("[login_out]").size() == 1 ? kEnded : 1);
}

TEST(Quit, EndsWhateverTheServerDoesAndWaitsForNoWorkerThread) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(QuitAgainstASilentServer(), ::testing::ExitedWithCode(kEnded), "");
}

}  // namespace
}  // namespace lmn::shell::test
