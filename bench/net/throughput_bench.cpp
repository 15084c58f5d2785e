// Throughput of 1 KiB packages from one NetEngine to another over loopback, against a plain
// blocking socket pair moving the same framed bytes (one block of one record per package, one
// write each) in the same run. Sender and receiver run on threads of their own in both cases.
// Prints both rates of package bytes and their ratio (engine / plain); the best of three alternating rounds
// counts.
//   net_throughput_bench [packages]
#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>
#include <vector>

#include "epoll_reactor.h"
#include "net_engine.h"

namespace {

using namespace lmn::net;
using Clock = std::chrono::steady_clock;
constexpr std::size_t kPackage = 1024;

int ListenLoopback(std::uint16_t& port) {
    int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
    ::listen(fd, 1);
    socklen_t len = sizeof addr;
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &len);
    port = ntohs(addr.sin_port);
    return fd;
}

double PlainSockets(std::size_t count) {
    std::uint16_t port = 0;
    int listener = ListenLoopback(port);
    std::vector<std::uint8_t> block(8 + 12 + kPackage, 0x5A);
    auto start = Clock::now();
    std::thread writer([&] {
        int fd = ::socket(AF_INET, SOCK_STREAM, 0);
        int one = 1;
        ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_port = htons(port);
        addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ::connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
        for (std::size_t i = 0; i < count; ++i) {
            std::size_t at = 0;
            while (at < block.size())
                at += static_cast<std::size_t>(::send(fd, block.data() + at, block.size() - at, 0));
        }
        ::close(fd);
    });
    int fd = ::accept(listener, nullptr, nullptr);
    std::size_t total = 0, expected = count * block.size();
    std::vector<std::uint8_t> buffer(65536);
    while (total < expected) {
        ssize_t n = ::recv(fd, buffer.data(), buffer.size(), 0);
        if (n <= 0) break;
        total += static_cast<std::size_t>(n);
    }
    double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    writer.join();
    ::close(fd);
    ::close(listener);
    return static_cast<double>(total / block.size() * kPackage) / seconds / 1e6;
}

struct Counter : NetEventSink {
    std::size_t received = 0;
    std::size_t bytes = 0;
    ConnectionHandle handle = 0;
    bool connected = false;
    void onNetEvent(NetEvent e) override {
        if (e.code == NET_CONNECTED) connected = true;
        if (e.code == NET_DATA) {
            ++received;
            bytes += e.data.size() - 4;
            handle = e.handle;
        }
    }
};

double Engines(std::size_t count) {
    EpollReactor receiverLoop;
    Counter receiver;
    NetEngine receiverEngine(receiverLoop, receiver);
    std::uint16_t port = receiverEngine.listen("127.0.0.1", 0);
    std::atomic<Clock::rep> startTicks{0};
    std::thread sender([&] {
        EpollReactor loop;
        Counter events;
        NetEngine engine(loop, events);
        ConnectionHandle handle = engine.connect("127.0.0.1", port);
        while (!events.connected) loop.runOnce(10);
        std::vector<std::uint8_t> package(kPackage, 0x5A);
        startTicks = Clock::now().time_since_epoch().count();
        std::size_t sent = 0;
        while (sent < count) {
            while (sent < count && engine.unsentBytes(handle) < 256 * 1024)
                if (engine.send(handle, package)) ++sent;
            loop.runOnce(sent < count ? 0 : 10);
        }
        while (engine.unsentBytes(handle) > 0) loop.runOnce(10);
    });
    while (receiver.received < count) receiverLoop.runOnce(10);
    auto start = Clock::time_point(Clock::duration(startTicks.load()));
    double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    sender.join();
    return static_cast<double>(receiver.bytes) / seconds / 1e6;
}

}  // namespace

int main(int argc, char** argv) {
    std::size_t count = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 200000;
    double plain = 0, engine = 0;
    for (int round = 0; round < 3; ++round) {
        plain = std::max(plain, PlainSockets(count));
        engine = std::max(engine, Engines(count));
    }
    std::printf("packages: %zu of %zu bytes\n", count, kPackage);
    std::printf("plain blocking sockets: %.1f MB/s of package bytes\n", plain);
    std::printf("NetEngine to NetEngine: %.1f MB/s of package bytes\n", engine);
    std::printf("ratio (engine / plain): %.2f\n", engine / plain);
    return 0;
}
