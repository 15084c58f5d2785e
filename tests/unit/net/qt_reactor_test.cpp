#include "qt_reactor.h"

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <functional>
#include <string>
#include <vector>

#include "net_engine.h"

using namespace lmn::net;

namespace {

struct Recorder : NetEventSink {
    std::vector<NetEvent> events;
    void onNetEvent(NetEvent e) override { events.push_back(std::move(e)); }
};

bool SpinUntil(const std::function<bool()>& done) {
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
    return done();
}

// A loopback port that refuses connections: bound, never listening.
struct RefusingPort {
    int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    std::uint16_t port = 0;
    RefusingPort() {
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t len = sizeof addr;
        if (::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0 &&
            ::getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &len) == 0)
            port = ntohs(addr.sin_port);
    }
    ~RefusingPort() { ::close(fd); }
};

}  // namespace

TEST(QtReactor, ARefusedConnectIsAFailedConnectNotAnError) {
    int argc = 1;
    char name[] = "qt_reactor_test";
    char* argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);
    QtReactor reactor;
    Recorder events;
    NetEngine engine(reactor, events);
    RefusingPort refusing;
    ASSERT_NE(refusing.port, 0);
    for (int attempt = 0; attempt < 3; ++attempt) {
        ConnectionHandle handle = engine.connect("127.0.0.1", refusing.port);
        ASSERT_NE(handle, 0u);
        ASSERT_TRUE(SpinUntil([&] { return events.events.size() == static_cast<size_t>(attempt + 1); }));
        EXPECT_EQ(events.events.back().code, NET_CONNECT_FAILED) << "attempt " << attempt;
        EXPECT_EQ(events.events.back().handle, handle);
        EXPECT_FALSE(engine.isLive(handle));
    }
}

TEST(QtReactor, CarriesAConnectionBothWaysOnTheQtEventLoop) {
    int argc = 1;
    char name[] = "qt_reactor_test";
    char* argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);
    QtReactor reactor;
    Recorder serverEvents, clientEvents;
    NetEngine server(reactor, serverEvents), client(reactor, clientEvents);
    std::uint16_t port = server.listen("127.0.0.1", 0);
    ASSERT_NE(port, 0);
    ConnectionHandle handle = client.connect("127.0.0.1", port);
    ASSERT_TRUE(SpinUntil([&] { return !clientEvents.events.empty(); }));
    EXPECT_EQ(clientEvents.events[0].code, NET_CONNECTED);
    EXPECT_EQ(clientEvents.events[0].handle, handle);

    std::string big(200000, 'q');
    std::vector<std::uint8_t> payload(big.begin(), big.end());
    ASSERT_TRUE(client.send(handle, payload));
    ASSERT_TRUE(SpinUntil([&] { return !serverEvents.events.empty(); }));
    ASSERT_EQ(serverEvents.events[0].code, NET_DATA);
    EXPECT_EQ(serverEvents.events[0].data.size(), big.size() + 4);
    ConnectionHandle accepted = serverEvents.events[0].handle;

    std::vector<std::uint8_t> reply = {'o', 'k'};
    ASSERT_TRUE(server.send(accepted, reply));
    ASSERT_TRUE(SpinUntil([&] { return clientEvents.events.size() == 2; }));
    EXPECT_EQ(std::string(clientEvents.events[1].data.begin(), clientEvents.events[1].data.end() - 4), "ok");

    server.close(accepted);
    ASSERT_TRUE(SpinUntil([&] { return clientEvents.events.size() == 3; }));
    EXPECT_EQ(clientEvents.events[2].code, NET_CLOSED);
    EXPECT_FALSE(client.isLive(handle));
}
