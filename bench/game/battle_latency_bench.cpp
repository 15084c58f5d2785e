// One battle action from one game core to the other: page A's [game_deal] text enters core A
// (GameClient::GameDeal), crosses the room server of a real devserver process on loopback in a
// MSG_GAME_DEAL package, and is timed when core B hands it to its page text queue. The two
// cores were paired by the room server itself (both ask for automatic pairing, the lobby
// requests go to the devserver's lobby script over HTTP), so the battle runs relayed, as in
// the client. One action is in flight at a time; directions alternate.
//
// Baselines in the same run: two bare transports (NetEngine) through the byte forwarder of
// bench/forwarder, in a process of its own as the room server is (the floor of any relay), and two
// bare transports through the same room server. Every row alternates directions, and the whole
// run, the devserver included, shares one CPU (one_cpu.h). Prints p50 and p99 of each and the
// ratios.
//   game_battle_latency_bench [samples]
#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "byte_forwarder.h"
#include "devserver_process.h"
#include "epoll_reactor.h"
#include "game_client.h"
#include "http.h"
#include "message_types.h"
#include "net_engine.h"
#include "one_cpu.h"
#include "package_reader.h"
#include "package_writer.h"

namespace {

using namespace lmn::net;
using lmn::game::Answer;
using lmn::game::Buttons;
using lmn::game::GameClient;
using lmn::game::PlayerContext;
using Clock = std::chrono::steady_clock;
constexpr std::uint16_t kRoomPort = 20000;
constexpr int kWarmUp = 100;
constexpr int kRound = 100;

double Micros(Clock::duration d) {
    return std::chrono::duration<double, std::micro>(d).count();
}

double At(const std::vector<double>& sorted, double q) {
    return sorted[std::min(sorted.size() - 1,
                           static_cast<std::size_t>(q * static_cast<double>(sorted.size())))];
}

// One game client without its window: a NetEngine for the transport, a GameClient for the
// rules, and a page that only collects the texts queued for it.
class BenchClient : public lmn::game::GameEnv, public lmn::game::PackageLink, public NetEventSink {
  public:
    BenchClient(EpollReactor& loop, std::string baseUrl, int userId)
        : loop_(loop), baseUrl_(std::move(baseUrl)) {
        player_.userId = userId;
        player_.userName = "p" + std::to_string(userId);
        player_.roomId = 7;
        player_.serverId = 1;
        player_.serverName = "area";
        player_.roomBaseUrl = baseUrl_;
    }

    void EnterRoom(const std::string& host) {
        game_.EnterRoom(host, kRoomPort);
        while (!game_.RoomConnected()) loop_.runOnce(100);
    }
    GameClient& game() { return game_; }
    bool InGame() const { return game_.state().inGame; }
    std::vector<std::string>& pageTexts() { return pageTexts_; }

    // GameEnv
    void CallPage(const std::string&) override {}
    void Navigate(const std::string& url) override { page_ = url; }
    std::string CurrentUrl() const override { return page_; }
    void QueuePageText(std::string text) override { pageTexts_.push_back(std::move(text)); }
    void SetPageLoaded(bool) override {}
    Answer Ask(const std::string&, const std::string&, Buttons) override { return Answer::Ok; }
    void FlashCaption() override {}
    void StartPeerCloseDelay() override {}
    void StartOpponentRequestDelay() override {}
    void StartOpponentAnswerCheck() override {}
    void StopOpponentAnswerCheck() override {}
    void StartGameOverGrace() override {}
    std::string BaseUrl() const override { return baseUrl_; }
    std::string Fetch(const std::string& url) override { return lmn::FetchText(url); }
    std::uint32_t TickMs() const override {
        return static_cast<std::uint32_t>(
            std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now().time_since_epoch()).count());
    }
    std::int64_t CalendarSeconds() const override { return std::time(nullptr); }
    const PlayerContext& Player() const override { return player_; }

    // PackageLink
    ConnectionHandle Connect(const std::string& address, int port) override {
        return engine_.connect(address, static_cast<std::uint16_t>(port));
    }
    bool Send(ConnectionHandle connection, PackageWriter& package) override {
        return engine_.send(connection, package);
    }
    void Close(ConnectionHandle connection) override { engine_.close(connection); }

    // NetEventSink
    void onNetEvent(NetEvent event) override { game_.OnNetEvent(event); }

  private:
    EpollReactor& loop_;
    std::string baseUrl_;
    PlayerContext player_;
    std::string page_;
    std::vector<std::string> pageTexts_;
    NetEngine engine_{loop_, *this};
    GameClient game_{*this, *this};
};

// A bare transport end: every package that arrives is kept.
struct BareClient : NetEventSink {
    EpollReactor& loop;
    NetEngine engine{loop, *this};
    ConnectionHandle handle = 0;
    bool connected = false;
    std::vector<std::vector<std::uint8_t>> inbox;

    BareClient(EpollReactor& l, const std::string& host, std::uint16_t port) : loop(l) {
        handle = engine.connect(host, port);
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

std::string ActionText(int i) {
    return "type=[game_deal]&step=" + std::to_string(i) + "&card=1024&target=3&pad=" + std::string(160, 'x');
}

// Core to core, alternating directions; each sample waits for the text on the other page.
void MeasureCores(EpollReactor& loop, BenchClient& a, BenchClient& b, int samples,
                  std::vector<double>& micros) {
    for (int i = 0; i < samples; ++i) {
        BenchClient& from = i % 2 ? b : a;
        BenchClient& to = i % 2 ? a : b;
        const std::string text = ActionText(i);
        const auto sent = Clock::now();
        from.game().GameDeal(text);
        while (to.pageTexts().empty()) loop.runOnce(-1);
        const auto arrived = Clock::now();
        if (to.pageTexts().front() != text) {
            std::fprintf(stderr, "action %d arrived changed\n", i);
            std::exit(1);
        }
        to.pageTexts().clear();
        micros.push_back(Micros(arrived - sent));
    }
}

void MeasureBare(BareClient& a, BareClient& b, int samples, std::vector<double>& micros) {
    for (int i = 0; i < samples; ++i) {
        BareClient& from = i % 2 ? b : a;
        BareClient& to = i % 2 ? a : b;
        const auto sent = Clock::now();
        PackageWriter deal(MSG_GAME_DEAL);
        deal.string(ActionText(i));
        from.engine.send(from.handle, deal);
        to.Await(MSG_GAME_DEAL);
        micros.push_back(Micros(Clock::now() - sent));
    }
}

// A listener on host and a free port; the port through `port`.
int ListenOnFreePort(const std::string& host, std::uint16_t& port) {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    ::inet_pton(AF_INET, host.c_str(), &addr.sin_addr);
    if (::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 || ::listen(fd, 4) != 0)
        std::exit(1);
    socklen_t len = sizeof addr;
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &len);
    port = ntohs(addr.sin_port);
    return fd;
}

void Print(const char* name, const std::vector<double>& v) {
    std::printf("%-44s p50 %7.1f us   p99 %7.1f us\n", name, At(v, 0.5), At(v, 0.99));
}

}  // namespace

int main(int argc, char** argv) {
    const int samples = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5000;
    const int cpu = lmn::bench::RunOnOneCpu();
    lmn::test::DevServerProcess server;
    if (!server.ok()) {
        std::fprintf(stderr, "devserver did not start\n");
        return 1;
    }
    EpollReactor loop;

    // Two cores paired by the room server.
    BenchClient ann(loop, server.baseUrl(), 1001), bob(loop, server.baseUrl(), 1002);
    ann.EnterRoom(server.host());
    bob.EnterRoom(server.host());
    ann.game().AutoGroup(0);
    bob.game().AutoGroup(0);
    const auto pairingStart = Clock::now();
    while (!(ann.InGame() && bob.InGame())) {
        loop.runOnce(100);
        if (Clock::now() - pairingStart > std::chrono::seconds(20)) {
            std::fprintf(stderr, "the room server did not pair the two clients\n");
            return 1;
        }
    }
    if (ann.game().state().first + bob.game().state().first != 1 || !ann.game().state().relayed ||
        !bob.game().state().relayed) {
        std::fprintf(stderr, "set-up did not give one relayed game with one first mover\n");
        return 1;
    }

    // Bare transports through the same room server, paired the same way.
    BareClient cy(loop, server.host(), kRoomPort), di(loop, server.host(), kRoomPort);
    std::int32_t id = 2001;
    for (BareClient* c : {&cy, &di}) {
        PackageWriter login(MSG_SRV_LOGIN);
        login.int32(id)
            .string("p" + std::to_string(id))
            .int32(8)
            .int32(1)
            .string("area")
            .string(server.baseUrl());
        c->engine.send(c->handle, login);
        PackageWriter ask(MSG_SRV_AUTO_GROUP);
        ask.int32(id).int32(8).int32(0).string("report");
        c->engine.send(c->handle, ask);
        ++id;
    }
    cy.Await(MSG_SRV_MATCH_START);
    PackageWriter setup(MSG_SRV_GAME_SETUP);
    setup.int32(1).string("1").string("2").int32(2001);
    cy.engine.send(cy.handle, setup);
    di.Await(MSG_SRV_GAME_SETUP);

    // The floor: a byte forwarder on the same loopback address, in a process of its own as the
    // room server is.
    std::uint16_t forwarderPort = 0;
    const int listener = ListenOnFreePort(server.host(), forwarderPort);
    const pid_t forwarder = fork();
    if (forwarder == 0) {
        lmn::bench::RunByteForwarder(listener);
        _exit(0);
    }
    ::close(listener);
    BareClient from(loop, server.host(), forwarderPort);
    BareClient to(loop, server.host(), forwarderPort);

    // The three rows take turns in short rounds, so that a change of machine load during the
    // run falls on all of them alike.
    std::vector<double> floor, bareRoom, cores, warmUp;
    MeasureBare(from, to, kWarmUp, warmUp);
    MeasureBare(cy, di, kWarmUp, warmUp);
    MeasureCores(loop, ann, bob, kWarmUp, warmUp);
    for (int done = 0; done < samples; done += kRound) {
        const int n = std::min(kRound, samples - done);
        MeasureBare(from, to, n, floor);
        MeasureBare(cy, di, n, bareRoom);
        MeasureCores(loop, ann, bob, n, cores);
    }
    for (auto* v : {&floor, &bareRoom, &cores}) std::sort(v->begin(), v->end());
    from.engine.close(from.handle);
    waitpid(forwarder, nullptr, 0);

    std::printf(
        "samples: %d battle actions of %zu bytes per row (after %d warm-up), %s\n", samples,
        ActionText(0).size(), kWarmUp,
        cpu < 0 ? "on any CPU (could not bind to one)" : ("all on CPU " + std::to_string(cpu)).c_str());
    Print("byte forwarder, bare transports (baseline)", floor);
    Print("room server, bare transports", bareRoom);
    Print("room server, game core to game core", cores);
    std::printf("ratio game cores / forwarder:        p50 %.2f  p99 %.2f\n", At(cores, 0.5) / At(floor, 0.5),
                At(cores, 0.99) / At(floor, 0.99));
    std::printf("ratio room bare / forwarder:         p50 %.2f  p99 %.2f\n",
                At(bareRoom, 0.5) / At(floor, 0.5), At(bareRoom, 0.99) / At(floor, 0.99));
    std::printf("ratio game cores / room bare:        p50 %.2f  p99 %.2f\n",
                At(cores, 0.5) / At(bareRoom, 0.5), At(cores, 0.99) / At(bareRoom, 0.99));
    return 0;
}
