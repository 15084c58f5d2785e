// The transport: listening sockets and live TCP connections speaking the framed stream, run
// entirely on the thread of its Reactor. Everything that happens to a connection reaches the
// owner as a NetEvent through its NetEventSink, after the notification that caused it returned.
//
// An accepted connection is ready at once and sends the handshake record (a 4-byte payload)
// first; the owner first hears of it through its first NET_DATA. A connection made with
// connect() is ready when the other side's handshake record arrives (NET_CONNECTED); packages
// sent before that are dropped.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <random>
#include <span>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "net_connection.h"
#include "net_event.h"
#include "reactor.h"

namespace lmn::net {

class PackageWriter;

// Bounds on the connections a listener accepts from strangers; 0 means no bound.
struct AcceptLimits {
    // Accepted connections open at once; a connection beyond them is closed as it arrives.
    std::size_t maxConnections = 0;
    // An accepted connection that has sent no whole record by then is closed.
    std::chrono::milliseconds firstRecordWithin{0};
};

class NetEngine {
  public:
    NetEngine(Reactor& reactor, NetEventSink& sink);
    // Closes every socket; posts nothing.
    ~NetEngine();
    NetEngine(const NetEngine&) = delete;
    NetEngine& operator=(const NetEngine&) = delete;

    // With listen set, listens on each port on all local addresses, stopping silently at the
    // first port that cannot be bound. Returns whether every listener was created.
    bool start(bool listen, const std::vector<std::uint16_t>& ports);
    // Listens on one address ("0.0.0.0" for all) and port (0 picks a free one). Returns the
    // port listened on, 0 on failure.
    std::uint16_t listen(const std::string& address, std::uint16_t port, int backlog = 10);
    // Applies to connections accepted from now on. Connections closed for these bounds were
    // never reported, so no event is posted for them.
    void setAcceptLimits(AcceptLimits limits) { acceptLimits_ = limits; }

    // Starts connecting to host (dotted address or name) and port. Returns 0 when no socket
    // could be made or the name not resolved; a connection refused later (or at once) is
    // reported as NET_CONNECT_FAILED.
    ConnectionHandle connect(const std::string& host, std::uint16_t port);

    // Queues bytes as one record and tries to send at once. Refused (false) when the handle is
    // not live, the connection has not completed its handshake, or bytes exceed 1048572.
    bool send(ConnectionHandle handle, std::span<const std::uint8_t> bytes);
    // Applies the package's send-time checksum and sends its bytes.
    bool send(ConnectionHandle handle, PackageWriter& package);

    // Closes and forgets the connection; posts nothing.
    void close(ConnectionHandle handle);

    bool isLive(ConnectionHandle handle) const { return live_.count(handle) != 0; }
    // Bytes queued on the connection that the socket has not taken yet.
    std::size_t unsentBytes(ConnectionHandle handle) const;

  private:
    ConnectionHandle adopt(int fd, NetConnection::Side side);
    void onListenerReady(int listenFd);
    void onConnectionReady(ConnectionHandle handle, unsigned ready);
    void awaitFirstRecord(ConnectionHandle handle);
    void onFirstRecordTimer();
    void armFirstRecordTimer();
    void afterCall(ConnectionHandle handle, std::int32_t closeCode);
    void closeWithEvent(ConnectionHandle handle, std::int32_t code);
    void queueEvent(NetEvent event);
    void deliver();

    Reactor& reactor_;
    NetEventSink& sink_;
    std::unordered_map<ConnectionHandle, std::unique_ptr<NetConnection>> live_;
    std::vector<int> listeners_;
    AcceptLimits acceptLimits_;
    std::unordered_set<ConnectionHandle> accepted_;
    // Accepted connections that must send a record by their deadline, earliest first.
    std::deque<std::pair<ConnectionHandle, std::chrono::steady_clock::time_point>> awaiting_;
    int firstRecordTimer_ = -1;
    ConnectionHandle nextHandle_ = 1;
    std::minstd_rand random_;
    std::deque<NetEvent> pending_;
    bool deliveryPosted_ = false;
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace lmn::net
