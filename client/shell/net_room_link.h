// The transport behind the game client: one NetEngine on the window thread's reactor, listening
// on the direct-play port, opening the room connection, and handing every event to the window.
#pragma once

#include <chrono>
#include <cstddef>
#include <functional>
#include <memory>

#include "net_engine.h"
#include "room_link.h"

namespace lmn::shell {

// Direct connections open at once, and how soon each must send its first record.
inline constexpr std::size_t kMaxDirectConnections = 8;
inline constexpr std::chrono::milliseconds kDirectFirstRecordWithin{10000};

class NetRoomLink : public RoomLink, private net::NetEventSink {
  public:
    using EventFn = std::function<void(net::NetEvent)>;

    explicit NetRoomLink(net::Reactor& reactor) : engine_(reactor, *this) {}

    // Where events go; until set they are dropped.
    void SetEventHandler(EventFn handler) { handler_ = std::move(handler); }
    // Listens on the direct-play port; false when another program holds it.
    bool Listen(int port);

    ConnectionId Connect(const std::string& address, int port) override;
    void Close(ConnectionId connection) override { engine_.close(connection); }
    bool Send(ConnectionId connection, net::PackageWriter& package) override;

  private:
    void onNetEvent(net::NetEvent event) override;

    net::NetEngine engine_;
    EventFn handler_;
};

}  // namespace lmn::shell
