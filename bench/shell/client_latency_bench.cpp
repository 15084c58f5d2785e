// Page to page: two real LMN_KX.exe (offscreen) log in to a devserver, are paired by its room
// server and play one relayed battle on the benchmark's battle page. The first mover's page
// times, in alternating rounds,
//   - its own round trip through its client: [get_setting] until its client_cmd has the reply;
//   - a battle action to the other page and back: its [game_deal] until the other page's
//     client_cmd has it, where that page answers at once with a [game_deal] of its own; half
//     of that is one page-to-page way.
// In the same run, the room server's hop is timed alone: two bare transports (NetEngine)
// through the same room server, one-way; and the browser's own floor for the round trip: a bare
// QWebEngineView whose page times the same [get_setting] answered by a bare interceptor.
// Prints p50 and p99, the ratio (page to page) / (own round trip + room hop) and the ratio of
// the client's own round trip to the bare one.
//   shell_client_latency_bench
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "client_runs.h"
#include "devserver_process.h"
#include "epoll_reactor.h"
#include "message_types.h"
#include "net_engine.h"
#include "package_reader.h"
#include "package_writer.h"

namespace {

using namespace lmn::net;
using lmn::bench::Quantile;
using Clock = std::chrono::steady_clock;

struct BareClient : NetEventSink {
    EpollReactor& loop;
    NetEngine engine{loop, *this};
    ConnectionHandle handle = 0;
    bool connected = false;
    std::vector<std::vector<std::uint8_t>> inbox;

    BareClient(EpollReactor& l, const std::string& host) : loop(l) {
        handle = engine.connect(host, 20000);
        while (!connected) loop.runOnce(100);
    }
    void onNetEvent(NetEvent e) override {
        if (e.code == NET_CONNECTED) connected = true;
        if (e.code == NET_DATA) inbox.push_back(std::move(e.data));
    }
    void Await(std::int32_t type) {
        for (;;) {
            for (auto it = inbox.begin(); it != inbox.end(); ++it) {
                if (PackageReader(*it).type() == type) {
                    inbox.erase(it);
                    return;
                }
            }
            loop.runOnce(-1);
        }
    }
};

// One-way battle actions between two bare transports paired in a match by the room server.
std::vector<double> RoomHopMs(const lmn::test::DevServerProcess& dev, int samples) {
    EpollReactor loop;
    BareClient a(loop, dev.host()), b(loop, dev.host());
    std::int32_t id = 2001;
    for (BareClient* c : {&a, &b}) {
        PackageWriter login(MSG_SRV_LOGIN);
        login.int32(id)
            .string("p" + std::to_string(id))
            .int32(8)
            .int32(1)
            .string("area")
            .string(dev.baseUrl());
        c->engine.send(c->handle, login);
        PackageWriter ask(MSG_SRV_AUTO_GROUP);
        ask.int32(id).int32(8).int32(0).string("report");
        c->engine.send(c->handle, ask);
        ++id;
    }
    a.Await(MSG_SRV_MATCH_START);
    PackageWriter setup(MSG_SRV_GAME_SETUP);
    setup.int32(1).string("1").string("2").int32(2001);
    a.engine.send(a.handle, setup);
    b.Await(MSG_SRV_GAME_SETUP);
    std::vector<double> ms;
    const std::string pad(160, 'x');
    for (int i = 0; i < samples + 100; ++i) {
        BareClient& from = i % 2 ? b : a;
        BareClient& to = i % 2 ? a : b;
        const auto sent = Clock::now();
        PackageWriter deal(MSG_GAME_DEAL);
        deal.string("type=[game_deal]&seq=" + std::to_string(i) + "&card=1024&target=3&pad=" + pad);
        from.engine.send(from.handle, deal);
        to.Await(MSG_GAME_DEAL);
        if (i >= 100) ms.push_back(std::chrono::duration<double, std::milli>(Clock::now() - sent).count());
    }
    std::sort(ms.begin(), ms.end());
    return ms;
}

// Waits at most `limit` for a page to report `stage`; whether it did.
bool AwaitReport(const lmn::test::DevServerProcess& dev, const std::string& stage,
                 std::chrono::seconds limit) {
    auto done = [&] {
        for (const auto& line : dev.LogLines("http"))
            if (line.find("report.txt?stage=" + stage) != std::string::npos) return true;
        return false;
    };
    const auto start = Clock::now();
    while (!done() && Clock::now() - start < limit)
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
    return done();
}

// The same page round trip in a bare browser window answering [get_setting] itself.
std::vector<double> BareRoundTripMs(const lmn::test::DevServerProcess& dev) {
    lmn::test::ChildProcess bare = lmn::bench::StartOffscreen(
        {BARE_COMMAND_HOST_BIN, dev.baseUrl() + "round_trip.php"}, lmn::bench::TempFolder("bare"));
    AwaitReport(dev, "bare_done", std::chrono::minutes(2));
    bare.Stop();
    std::vector<double> ms;
    for (const auto& line : dev.LogLines("http")) {
        const auto at = line.find("report.txt?stage=bare&ms=");
        if (at == std::string::npos) continue;
        for (double v : lmn::bench::ParseList(line.substr(at + 25))) ms.push_back(v);
    }
    std::sort(ms.begin(), ms.end());
    return ms;
}

std::string Config(const std::string& baseUrl, const std::string& name) {
    return "[common]\r\nstrUrl=" + baseUrl +
           "\r\nbMusic=0\r\nbSound=0\r\nbVoice=0\r\nbAutoLogin=1\r\nstrUserName=" + name +
           "\r\nstrPassword=pw\r\n";
}

void Print(const char* name, const std::vector<double>& ms) {
    std::printf("%-52s p50 %6.3f ms   p99 %6.3f ms   (%zu samples)\n", name, Quantile(ms, 0.5),
                Quantile(ms, 0.99), ms.size());
}

}  // namespace

int main() {
    lmn::test::DevServerProcess dev({"--autoplay=1", "--www=" + lmn::bench::BenchWww()});
    if (!dev.ok()) {
        std::fprintf(stderr, "devserver did not start\n");
        return 1;
    }
    const std::string installA = lmn::bench::MakeInstall(Config(dev.baseUrl(), "bencha"));
    const std::string installB = lmn::bench::MakeInstall(Config(dev.baseUrl(), "benchb"));
    lmn::test::ChildProcess a = lmn::bench::StartOffscreen({installA + "LMN_KX.exe", "go"}, installA);
    lmn::test::ChildProcess b = lmn::bench::StartOffscreen({installB + "LMN_KX.exe", "go"}, installB);

    const bool finished = AwaitReport(dev, "bench_done", std::chrono::minutes(5));
    a.Stop();
    b.Stop();
    if (!finished) {
        std::fprintf(stderr, "the two clients did not finish the benchmark battle (logs in %s, %s)\n",
                     installA.c_str(), installB.c_str());
        return 1;
    }

    std::vector<double> own, pair;
    for (const auto& line : dev.LogLines("http")) {
        const auto at = line.find("report.txt?stage=bench&kind=");
        const auto list = line.find("&ms=");
        if (at == std::string::npos || list == std::string::npos) continue;
        const bool isOwn = line.compare(at + 28, 3, "own") == 0;
        for (double v : lmn::bench::ParseList(line.substr(list + 4)))
            (isOwn ? own : pair).push_back(isOwn ? v : v / 2);
    }
    const std::vector<double> hop = RoomHopMs(dev, static_cast<int>(pair.size()));
    const std::vector<double> bare = BareRoundTripMs(dev);
    if (bare.empty()) {
        std::fprintf(stderr, "the bare browser window did not finish its round trips\n");
        return 1;
    }
    std::sort(own.begin(), own.end());
    std::sort(pair.begin(), pair.end());

    std::printf("two LMN_KX.exe offscreen, one relayed battle through the devserver's room server\n");
    Print("page A [game_deal] -> page B client_cmd (half a trip)", pair);
    Print("baseline: own page -> client -> client_cmd", own);
    Print("baseline: room server hop, bare transports", hop);
    Print("floor: bare QWebEngineView, same page round trip", bare);
    std::printf("ratio page to page / (own round trip + room hop):  p50 %.2f  p99 %.2f\n",
                Quantile(pair, 0.5) / (Quantile(own, 0.5) + Quantile(hop, 0.5)),
                Quantile(pair, 0.99) / (Quantile(own, 0.99) + Quantile(hop, 0.99)));
    std::printf("ratio own round trip / bare window's:  p50 %.2f  p99 %.2f\n",
                Quantile(own, 0.5) / Quantile(bare, 0.5), Quantile(own, 0.99) / Quantile(bare, 0.99));
    lmn::bench::RemoveTempFolders();
    return 0;
}
