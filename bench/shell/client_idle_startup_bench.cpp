// The game client against a bare QWebEngineView window showing the same page, in one run:
//   - start-up: from starting "LMN_KX.exe go" (or the bare window) until the client page has
//     loaded (the page reports its load event to the devserver), median of five of each;
//   - idle: both windows showing the loaded page, nothing happening, for 30 s: wakeups of the
//     window thread (its voluntary and non-voluntary context switches), its CPU time, and the
//     CPU time of the whole process with its browser helpers (the client's sound mixer thread
//     included), from /proc.
//   shell_client_idle_startup_bench [seconds]
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "client_runs.h"
#include "devserver_process.h"

namespace {

using Clock = std::chrono::steady_clock;

struct Window {
    std::string dir;
    std::vector<std::string> argv;
    std::string who;  // as the page reports it
};

std::size_t Loads(const lmn::test::DevServerProcess& dev, const std::string& who) {
    std::size_t n = 0;
    for (const auto& line : dev.LogLines("http"))
        if (line.find("report.txt?stage=loaded&who=" + who) != std::string::npos) ++n;
    return n;
}

// Starts the window and waits for its page to load; a stopped process (not started()) when it did
// not within 60 s.
lmn::test::ChildProcess StartUntilLoaded(const lmn::test::DevServerProcess& dev, const Window& w,
                                         double& ms) {
    const std::size_t before = Loads(dev, w.who);
    const auto start = Clock::now();
    lmn::test::ChildProcess window = lmn::bench::StartOffscreen(w.argv, w.dir);
    while (Loads(dev, w.who) == before) {
        if (!window.started() || Clock::now() - start > std::chrono::seconds(60)) return {};
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    return window;
}

}  // namespace

int main(int argc, char** argv) {
    const int seconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 30;
    lmn::test::DevServerProcess dev({"--www=" + lmn::bench::BenchWww()});
    if (!dev.ok()) return 1;
    const std::string base = "http://" + dev.host() + "/bench/";
    const std::string install = lmn::bench::MakeInstall(
        "[common]\r\nstrUrl=" + base + "\r\nbMusic=0\r\nbSound=0\r\nbVoice=0\r\nbAutoLogin=0\r\n");
    const Window client{install, {install + "LMN_KX.exe", "go"}, "client"};
    const Window bare{install, {BARE_WEB_VIEW_BIN, base + "index.php?type=client&who=bare"}, "bare"};

    std::vector<double> clientMs, bareMs;
    for (int i = 0; i < 5; ++i) {
        for (const Window* w : {&client, &bare}) {
            double ms = 0;
            lmn::test::ChildProcess window = StartUntilLoaded(dev, *w, ms);
            if (!window.started()) {
                std::fprintf(stderr, "%s did not load its page (log in %s)\n", w->who.c_str(),
                             install.c_str());
                return 1;
            }
            window.Stop();
            (w == &client ? clientMs : bareMs).push_back(ms);
        }
    }
    std::sort(clientMs.begin(), clientMs.end());
    std::sort(bareMs.begin(), bareMs.end());

    double ms = 0;
    lmn::test::ChildProcess clientWindow = StartUntilLoaded(dev, client, ms);
    lmn::test::ChildProcess bareWindow = StartUntilLoaded(dev, bare, ms);
    if (!clientWindow.started() || !bareWindow.started()) return 1;
    const pid_t c = clientWindow.pid(), b = bareWindow.pid();
    std::this_thread::sleep_for(std::chrono::seconds(3));
    const auto c0 = lmn::bench::ReadProcessUse(c), b0 = lmn::bench::ReadProcessUse(b);
    std::this_thread::sleep_for(std::chrono::seconds(seconds));
    const auto c1 = lmn::bench::ReadProcessUse(c), b1 = lmn::bench::ReadProcessUse(b);
    clientWindow.Stop();
    bareWindow.Stop();

    const double cw = static_cast<double>(c1.windowThreadWakeups - c0.windowThreadWakeups) / seconds;
    const double bw = static_cast<double>(b1.windowThreadWakeups - b0.windowThreadWakeups) / seconds;
    const double cc = lmn::bench::CpuSecondsBetween(c0, c1), bc = lmn::bench::CpuSecondsBetween(b0, b1);
    std::printf(
        "start-up to client page loaded (median of 5): LMN_KX.exe go %.0f ms, bare QWebEngineView %.0f ms, "
        "ratio %.2f\n",
        lmn::bench::Quantile(clientMs, 0.5), lmn::bench::Quantile(bareMs, 0.5),
        lmn::bench::Quantile(clientMs, 0.5) / lmn::bench::Quantile(bareMs, 0.5));
    std::printf("idle %d s, window thread wakeups: LMN_KX.exe %.1f/s, bare QWebEngineView %.1f/s\n", seconds,
                cw, bw);
    const double ct = c1.windowThreadCpuSeconds - c0.windowThreadCpuSeconds;
    const double bt = b1.windowThreadCpuSeconds - b0.windowThreadCpuSeconds;
    std::printf("idle %d s, window thread CPU time: LMN_KX.exe %.2f ms, bare QWebEngineView %.2f ms\n",
                seconds, ct * 1000, bt * 1000);
    std::printf(
        "idle %d s, CPU time with browser helpers: LMN_KX.exe %.1f ms, bare QWebEngineView %.1f ms, ratio "
        "%.2f\n",
        seconds, cc * 1000, bc * 1000, bc > 0 ? cc / bc : 0.0);
    lmn::bench::RemoveTempFolders();
    return 0;
}
