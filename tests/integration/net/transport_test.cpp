#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <random>
#include <string>
#include <vector>

#include "epoll_reactor.h"
#include "frames.h"
#include "loopback.h"
#include "net_engine.h"

using namespace lmn::net;
using namespace lmn::test;

namespace {

std::span<const std::uint8_t> Span(const std::string& s) {
    return {reinterpret_cast<const std::uint8_t*>(s.data()), s.size()};
}

const std::vector<std::uint8_t> kHandshake = Block({Record(std::string("\x0C\x00\x00\x00", 4))});

// An engine that connected to a raw listener, with the raw side of the connection.
struct Connected {
    EpollReactor reactor;
    EventLog log;
    NetEngine engine{reactor, log};
    RawSocket peer;
    ConnectionHandle handle = 0;

    explicit Connected(bool handshake = true) {
        std::uint16_t port = 0;
        RawSocket listener = RawSocket::Listen(port);
        handle = engine.connect("127.0.0.1", port);
        peer = listener.Accept();
        if (!handshake) return;
        peer.Write(kHandshake);
        RunUntil(reactor, [&] { return log.Count(NET_CONNECTED) == 1; });
    }
};

// A raw client of an engine's listener; the engine learns the handle from the client's first record.
struct Accepted {
    EpollReactor reactor;
    EventLog log;
    NetEngine engine{reactor, log};
    RawSocket peer;
    ConnectionHandle handle = 0;

    Accepted() {
        std::uint16_t port = engine.listen("127.0.0.1", 0);
        peer = RawSocket::Connect("127.0.0.1", port);
        peer.Write(Block({Record("hello")}));
        RunUntil(reactor, [&] { return log.Count(NET_DATA) == 1; });
        handle = log.events.at(0).handle;
        auto handshake = ParseBlocks(peer.ReadAvailable(1000));
        EXPECT_EQ(handshake.size(), 1u);
        EXPECT_EQ(handshake.at(0).payloads.at(0).size(), 4u);
    }
};

}  // namespace

TEST(Transport, ConnectCompletesOnTheHandshakeRecordAndCarriesTheSameHandle) {
    Connected c;
    ASSERT_EQ(c.log.events.size(), 1u);
    EXPECT_EQ(c.log.events[0].code, NET_CONNECTED);
    EXPECT_EQ(c.log.events[0].handle, c.handle);
    EXPECT_NE(c.handle, 0u);
}

TEST(Transport, PackageSentBeforeTheHandshakeIsDropped) {
    Connected c(false);
    RunUntil(
        c.reactor, [] { return false; }, 50);
    EXPECT_FALSE(c.engine.send(c.handle, Span("too early")));
    c.peer.Write(kHandshake);
    ASSERT_TRUE(RunUntil(c.reactor, [&] { return c.log.Count(NET_CONNECTED) == 1; }));
    EXPECT_TRUE(c.engine.send(c.handle, Span("in time")));
    auto blocks = ParseBlocks(c.peer.ReadAvailable(500));
    ASSERT_EQ(blocks.size(), 1u);
    EXPECT_EQ(blocks[0].payloads, std::vector<std::string>{"in time"});
}

TEST(Transport, MalformedHeadersAreSkippedAndEmptyRecordsIgnored) {
    Connected c;
    std::vector<std::uint8_t> stream = Header(11, 1);
    Append(stream, Block({Record(""), Record("one"), Record(""), Record("two")}));
    c.peer.Write(stream);
    ASSERT_TRUE(RunUntil(c.reactor, [&] { return c.log.Count(NET_DATA) == 2; }));
    EXPECT_EQ(c.log.Payloads(), (std::vector<std::string>{"one", "two"}));
    EXPECT_EQ(c.log.events[1].data.size(), 3u + 4u) << "payload plus the 4-byte tag copy";
    EXPECT_TRUE(c.engine.isLive(c.handle));
    EXPECT_EQ(c.log.Count(NET_CLOSED), 0u);
}

TEST(Transport, RecordReachingPastTheBodyClosesAfterEarlierRecords) {
    Connected c;
    c.peer.Write(Block({Record("kept"), Record("bad", 0x40, 5000), Record("lost")}));
    ASSERT_TRUE(RunUntil(c.reactor, [&] { return c.log.Count(NET_CLOSED) == 1; }));
    EXPECT_EQ(c.log.Payloads(), std::vector<std::string>{"kept"});
    EXPECT_EQ(c.log.events.back().code, NET_CLOSED);
    EXPECT_EQ(c.log.events.back().handle, c.handle);
    EXPECT_FALSE(c.engine.isLive(c.handle));
    EXPECT_FALSE(c.engine.send(c.handle, Span("x")));
}

TEST(Transport, PeerCloseIsReportedButOwnCloseIsNot) {
    Connected c;
    c.peer = RawSocket();
    ASSERT_TRUE(RunUntil(c.reactor, [&] { return c.log.Count(NET_CLOSED) == 1; }));

    Connected d;
    d.engine.close(d.handle);
    EXPECT_FALSE(d.engine.isLive(d.handle));
    RunUntil(
        d.reactor, [] { return false; }, 50);
    EXPECT_EQ(d.log.events.size(), 1u) << "only the NET_CONNECTED from before";
    EXPECT_TRUE(d.peer.ReadAvailable(200).empty());
}

TEST(Transport, ConnectToAClosedPortFails) {
    EpollReactor reactor;
    EventLog log;
    NetEngine engine(reactor, log);
    std::uint16_t port = 0;
    { RawSocket::Listen(port); }  // a port nobody listens on now
    ConnectionHandle handle = engine.connect("127.0.0.1", port);
    ASSERT_NE(handle, 0u);
    ASSERT_TRUE(RunUntil(reactor, [&] { return !log.events.empty(); }));
    EXPECT_EQ(log.events[0].code, NET_CONNECT_FAILED);
    EXPECT_EQ(log.events[0].handle, handle);
    EXPECT_FALSE(engine.isLive(handle));
    EXPECT_EQ(engine.connect("no-such-host.invalid", 20000), 0u);
}

TEST(Transport, SendRefusesUnknownHandlesAndOversizedPayloads) {
    Accepted a;
    EXPECT_FALSE(a.engine.send(a.handle + 100, Span("x")));
    std::string tooBig(1048573, 'x');
    EXPECT_FALSE(a.engine.send(a.handle, Span(tooBig)));
    std::string largest(1048572, 'y');
    EXPECT_TRUE(a.engine.send(a.handle, Span(largest)));
    std::vector<std::uint8_t> stream;
    RunUntil(a.reactor, [&] {
        Append(stream, a.peer.ReadNow());
        return stream.size() >= 8 + 12 + largest.size();
    });
    auto blocks = ParseBlocks(stream);
    ASSERT_EQ(blocks.size(), 1u);
    EXPECT_EQ(blocks[0].payloads, std::vector<std::string>{largest});
}

TEST(Transport, IdlePackageLeavesAtOnceAndPackagesQueuedWhileBlockedShareABlock) {
    Accepted a;
    // Nothing has to run on the reactor for an idle connection's package to leave.
    EXPECT_TRUE(a.engine.send(a.handle, Span("solo")));
    auto solo = ParseBlocks(a.peer.ReadAvailable(500));
    ASSERT_EQ(solo.size(), 1u);
    EXPECT_EQ(solo[0].count, 1u);

    // Fill the socket until the engine has to keep bytes back, then queue ten packages.
    std::string filler(32700, 'f');
    int fillers = 0;
    while (a.engine.unsentBytes(a.handle) == 0 && fillers < 1000) {
        a.engine.send(a.handle, Span(filler));
        ++fillers;
    }
    ASSERT_GT(a.engine.unsentBytes(a.handle), 0u);
    std::vector<std::string> ten;
    for (int i = 0; i < 10; ++i) {
        ten.push_back("queued-" + std::to_string(i));
        ASSERT_TRUE(a.engine.send(a.handle, Span(ten.back())));
    }
    std::vector<std::uint8_t> stream;
    RunUntil(a.reactor, [&] {
        Append(stream, a.peer.ReadNow());
        return a.engine.unsentBytes(a.handle) == 0 &&
               ParseBlocks(stream).size() == static_cast<std::size_t>(fillers) + 1;
    });
    auto blocks = ParseBlocks(stream);
    ASSERT_EQ(blocks.size(), static_cast<std::size_t>(fillers) + 1);
    for (int i = 0; i < fillers; ++i) EXPECT_EQ(blocks[i].count, 1u);
    EXPECT_EQ(blocks.back().count, 10u);
    EXPECT_EQ(blocks.back().payloads, ten);
}

TEST(Transport, PackageAbove32767BytesTravelsInABlockOfItsOwn) {
    Accepted a;
    std::string big(40000, 'B');
    a.engine.send(a.handle, Span("s1"));
    a.engine.send(a.handle, Span(big));
    a.engine.send(a.handle, Span("s2"));
    std::vector<std::uint8_t> stream;
    RunUntil(a.reactor, [&] {
        Append(stream, a.peer.ReadNow());
        return ParseBlocks(stream).size() == 3;
    });
    auto blocks = ParseBlocks(stream);
    ASSERT_EQ(blocks.size(), 3u);
    EXPECT_EQ(blocks[1].count, 1u);
    EXPECT_EQ(blocks[1].payloads, std::vector<std::string>{big});
    EXPECT_EQ(GetLe32(stream.data() + 22), 40012u) << "body length of the big block";
}

namespace {

// Package i of one direction: its size (log-uniform, 1 byte to 100 KiB) and content.
struct Traffic {
    std::vector<std::uint8_t> pattern;
    std::vector<std::uint32_t> sizes;

    Traffic(std::uint32_t seed, std::size_t count) {
        std::mt19937 random(seed);
        pattern.resize(2 * 102400);
        for (auto& b : pattern) b = static_cast<std::uint8_t>(random());
        std::uniform_real_distribution<double> exponent(0.0, std::log(102400.0));
        for (std::size_t i = 0; i < count; ++i)
            sizes.push_back(static_cast<std::uint32_t>(std::max(1.0, std::exp(exponent(random)))));
    }
    std::span<const std::uint8_t> Package(std::size_t i) const {
        return std::span<const std::uint8_t>(pattern).subspan(i * 7919 % 102400, sizes[i]);
    }
};

// Sends its traffic on one connection and checks what arrives from the other side in order.
struct Side : NetEventSink {
    const Traffic& out;
    const Traffic& in;
    NetEngine* engine = nullptr;
    ConnectionHandle handle = 0;
    std::size_t sent = 0, received = 0, mismatches = 0, otherEvents = 0;

    Side(const Traffic& o, const Traffic& i) : out(o), in(i) {}

    void onNetEvent(NetEvent e) override {
        if (e.code == NET_CONNECTED) {
            handle = e.handle;
        } else if (e.code == NET_DATA && received < in.sizes.size()) {
            if (handle == 0) handle = e.handle;
            auto expected = in.Package(received++);
            if (e.data.size() != expected.size() + 4 ||
                !std::equal(expected.begin(), expected.end(), e.data.begin()))
                ++mismatches;
        } else {
            ++otherEvents;
        }
    }
    void Pump() {
        while (handle != 0 && sent < out.sizes.size() && engine->unsentBytes(handle) < (1u << 20))
            if (engine->send(handle, out.Package(sent))) ++sent;
    }
};

}  // namespace

TEST(Transport, HundredThousandPackagesCrossBothWaysWithoutLossOrReordering) {
    constexpr std::size_t kCount = 100000;
    Traffic toServer(1, kCount), toClient(2, kCount);
    EpollReactor reactor;
    Side server(toClient, toServer), client(toServer, toClient);
    NetEngine serverEngine(reactor, server), clientEngine(reactor, client);
    server.engine = &serverEngine;
    client.engine = &clientEngine;
    std::uint16_t port = serverEngine.listen("127.0.0.1", 0);
    clientEngine.connect("127.0.0.1", port);
    bool done = RunUntil(
        reactor,
        [&] {
            client.Pump();
            server.Pump();
            return server.received == kCount && client.received == kCount;
        },
        600000);
    EXPECT_TRUE(done) << "server got " << server.received << ", client got " << client.received;
    EXPECT_EQ(server.mismatches, 0u);
    EXPECT_EQ(client.mismatches, 0u);
    EXPECT_EQ(server.otherEvents + client.otherEvents, 0u);
}

namespace {

// Whether the engine has closed the raw side's connection (read whatever else arrived first).
bool EndedByEngine(const RawSocket& socket) {
    std::uint8_t buf[4096];
    for (;;) {
        ssize_t n = ::recv(socket.fd(), buf, sizeof buf, MSG_DONTWAIT);
        if (n > 0) continue;
        return n == 0 || (errno != EAGAIN && errno != EWOULDBLOCK);
    }
}

}  // namespace

TEST(TransportAcceptLimits, StrangersAreCappedAndASilentOneIsDroppedUnreported) {
    EpollReactor reactor;
    EventLog log;
    NetEngine engine(reactor, log);
    engine.setAcceptLimits({3, std::chrono::milliseconds(1000)});
    std::uint16_t port = engine.listen("127.0.0.1", 0);
    ASSERT_NE(port, 0);

    std::vector<RawSocket> clients;
    for (int i = 0; i < 4; ++i) {
        clients.push_back(RawSocket::Connect("127.0.0.1", port));
        RunUntil(
            reactor, [] { return false; }, 30);
    }
    // Three get their handshake; the fourth is turned away.
    ASSERT_TRUE(RunUntil(reactor, [&] { return EndedByEngine(clients[3]); }));
    for (int i = 0; i < 3; ++i) EXPECT_FALSE(EndedByEngine(clients[i])) << i;

    // One speaks, one sends half a record, one stays silent: only the speaker is kept.
    clients[0].Write(Block({Record("hello")}));
    std::vector<std::uint8_t> half = Block({Record("partial")});
    half.resize(half.size() - 3);
    clients[1].Write(half);
    ASSERT_TRUE(RunUntil(reactor, [&] { return EndedByEngine(clients[1]) && EndedByEngine(clients[2]); }));
    EXPECT_FALSE(EndedByEngine(clients[0]));
    ASSERT_EQ(log.events.size(), 1u) << "the dropped strangers were never reported";
    EXPECT_EQ(log.events[0].code, NET_DATA);

    // Their places are free again, and the one that spoke in time keeps its connection.
    RawSocket again = RawSocket::Connect("127.0.0.1", port);
    again.Write(Block({Record("later")}));
    ASSERT_TRUE(RunUntil(reactor, [&] { return log.Count(NET_DATA) == 2; }));
    RunUntil(
        reactor, [] { return false; }, 1200);
    EXPECT_FALSE(EndedByEngine(clients[0]));
    EXPECT_FALSE(EndedByEngine(again));
    EXPECT_EQ(log.Payloads(), (std::vector<std::string>{"hello", "later"}));
}

TEST(TransportAcceptLimits, ConnectionsMadeByTheEngineAreNotBounded) {
    EpollReactor reactor;
    EventLog log;
    NetEngine engine(reactor, log);
    engine.setAcceptLimits({1, std::chrono::milliseconds(100)});
    std::uint16_t port = 0;
    RawSocket listener = RawSocket::Listen(port);
    std::vector<RawSocket> peers;
    for (int i = 0; i < 3; ++i) {
        engine.connect("127.0.0.1", port);
        peers.push_back(listener.Accept());
    }
    RunUntil(
        reactor, [] { return false; }, 300);
    for (const RawSocket& peer : peers) EXPECT_FALSE(EndedByEngine(peer));
    EXPECT_TRUE(log.events.empty());
}
