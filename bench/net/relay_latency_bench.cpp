// One-way latency of a MSG_GAME_DEAL from one client through the room server to the other,
// against the byte forwarder of bench/forwarder (epoll, one read and one write per record) in
// the same run. Clients are NetEngines on one thread; the room server runs on its own thread and
// logs every package to a file as it does inside devserver, and so does the forwarder (without
// the log). The whole run shares one CPU (one_cpu.h). One package is in flight at a time. Prints
// p50 and p99 of both and the p50 ratio (room / forwarder).
//   net_relay_latency_bench [samples]
#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "byte_forwarder.h"
#include "epoll_reactor.h"
#include "message_types.h"
#include "net_engine.h"
#include "one_cpu.h"
#include "package_reader.h"
#include "package_writer.h"
#include "room_log_file.h"
#include "room_server.h"

namespace {

using namespace lmn::net;
using Clock = std::chrono::steady_clock;
constexpr std::uint16_t kRoomPort = 21000;
constexpr std::uint16_t kForwarderPort = 21001;

struct Client : NetEventSink {
    EpollReactor& loop;
    NetEngine engine{loop, *this};
    ConnectionHandle handle = 0;
    bool connected = false;
    std::vector<std::vector<std::uint8_t>> inbox;

    Client(EpollReactor& l, std::uint16_t port) : loop(l) {
        handle = engine.connect("127.0.0.1", port);
        while (!connected) loop.runOnce(10);
    }
    void onNetEvent(NetEvent e) override {
        if (e.code == NET_CONNECTED) connected = true;
        if (e.code == NET_DATA) inbox.push_back(std::move(e.data));
    }
    // Waits for a package of the type and removes it.
    std::vector<std::uint8_t> Await(std::int32_t type) {
        for (;;) {
            for (auto it = inbox.begin(); it != inbox.end(); ++it) {
                if (PackageReader(*it).type() == type) {
                    auto found = std::move(*it);
                    inbox.erase(it);
                    return found;
                }
            }
            loop.runOnce(-1);
        }
    }
};

// Sends deals from a to b one at a time; each carries its send time.
std::vector<double> Measure(Client& a, Client& b, int samples) {
    std::vector<double> micros;
    for (int i = 0; i < samples + 100; ++i) {
        auto sent = Clock::now();
        PackageWriter deal(MSG_GAME_DEAL);
        deal.string("type=[game_deal]&step=" + std::to_string(i) + "&pad=" + std::string(200, 'x'));
        a.engine.send(a.handle, deal);
        b.Await(MSG_GAME_DEAL);
        if (i >= 100)
            micros.push_back(std::chrono::duration<double, std::micro>(Clock::now() - sent).count());
    }
    std::sort(micros.begin(), micros.end());
    return micros;
}

int ListenOn(std::uint16_t port) {
    int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    int one = 1;
    ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_port = htons(port);
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 || ::listen(fd, 4) != 0)
        std::exit(1);
    return fd;
}

double At(const std::vector<double>& sorted, double q) {
    return sorted[std::min(sorted.size() - 1,
                           static_cast<std::size_t>(q * static_cast<double>(sorted.size())))];
}

}  // namespace

int main(int argc, char** argv) {
    int samples = argc > 1 ? std::atoi(argv[1]) : 10000;
    const int cpu = lmn::bench::RunOnOneCpu();

    std::string root =
        std::filesystem::temp_directory_path().string() + "/lmn-relay-bench-" + std::to_string(getpid());
    std::filesystem::create_directories(root + "/log");
    EpollReactor serverLoop;
    lmn::dev::RoomLogFile log(root + "/log/room.log");
    lmn::dev::RoomServer room(serverLoop, {}, [&](const std::string& line) { log.Write(line); });
    if (!room.Listen("127.0.0.1", kRoomPort)) return 1;
    std::thread serverThread([&] { serverLoop.run(); });

    EpollReactor loop;
    Client ann(loop, kRoomPort), bob(loop, kRoomPort);
    std::int32_t id = 1001;
    for (Client* c : {&ann, &bob}) {
        PackageWriter login(MSG_SRV_LOGIN);
        login.int32(id)
            .string("p" + std::to_string(id))
            .int32(7)
            .int32(1)
            .string("area")
            .string("http://dev/");
        c->engine.send(c->handle, login);
        c->Await(MSG_SRV_MATCH_LIST);
        PackageWriter ask(MSG_SRV_AUTO_GROUP);
        ask.int32(id).int32(7).int32(0).string("report");
        c->engine.send(c->handle, ask);
        ++id;
    }
    ann.Await(MSG_SRV_MATCH_START);
    std::vector<double> viaRoom = Measure(ann, bob, samples);

    int listener = ListenOn(kForwarderPort);
    std::thread forwarder(lmn::bench::RunByteForwarder, listener);
    Client from(loop, kForwarderPort);
    Client to(loop, kForwarderPort);
    std::vector<double> viaForwarder = Measure(from, to, samples);
    from.engine.close(from.handle);
    forwarder.join();
    ::close(listener);

    serverLoop.stop();
    serverThread.join();
    std::filesystem::remove_all(root);

    std::printf(
        "samples: %d one-way MSG_GAME_DEAL deliveries each, %s\n", samples,
        cpu < 0 ? "on any CPU (could not bind to one)" : ("all on CPU " + std::to_string(cpu)).c_str());
    std::printf("byte forwarder: p50 %.1f us, p99 %.1f us\n", At(viaForwarder, 0.5), At(viaForwarder, 0.99));
    std::printf("room server:    p50 %.1f us, p99 %.1f us\n", At(viaRoom, 0.5), At(viaRoom, 0.99));
    std::printf("p50 ratio (room / forwarder): %.2f\n", At(viaRoom, 0.5) / At(viaForwarder, 0.5));
    return 0;
}
