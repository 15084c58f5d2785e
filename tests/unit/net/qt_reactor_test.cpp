#include "qt_reactor.h"

#include <gtest/gtest.h>

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

}  // namespace

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
