#include "net_engine.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <sys/timerfd.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "byte_order.h"
#include "framing.h"
#include "package_writer.h"

namespace lmn::net {

namespace {

constexpr int kAcceptedBufferSize = 32768;

void SetNoDelay(int fd) {
    int one = 1;
    ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
}

}  // namespace

NetEngine::NetEngine(Reactor& reactor, NetEventSink& sink)
    : reactor_(reactor), sink_(sink), random_(std::random_device{}()) {}

NetEngine::~NetEngine() {
    *alive_ = false;
    for (auto& [handle, connection] : live_) reactor_.unwatch(connection->fd());
    live_.clear();
    for (int fd : listeners_) {
        reactor_.unwatch(fd);
        ::close(fd);
    }
    if (firstRecordTimer_ >= 0) {
        reactor_.unwatch(firstRecordTimer_);
        ::close(firstRecordTimer_);
    }
}

bool NetEngine::start(bool listen, const std::vector<std::uint16_t>& ports) {
    if (!listen) return true;
    for (std::uint16_t port : ports)
        if (this->listen("0.0.0.0", port) == 0) return false;
    return true;
}

std::uint16_t NetEngine::listen(const std::string& address, std::uint16_t port, int backlog) {
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_port = htons(port);
    if (::inet_pton(AF_INET, address.c_str(), &addr.sin_addr) != 1) return 0;
    int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0) return 0;
    int one = 1;
    ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
    socklen_t len = sizeof addr;
    if (::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 || ::listen(fd, backlog) != 0 ||
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &len) != 0) {
        ::close(fd);
        return 0;
    }
    listeners_.push_back(fd);
    reactor_.watch(fd, Reactor::kRead, [this, fd](unsigned) { onListenerReady(fd); });
    return ntohs(addr.sin_port);
}

void NetEngine::onListenerReady(int listenFd) {
    for (;;) {
        int fd = ::accept4(listenFd, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (fd < 0) return;
        linger abortive{1, 0};
        ::setsockopt(fd, SOL_SOCKET, SO_LINGER, &abortive, sizeof abortive);
        if (acceptLimits_.maxConnections != 0 && accepted_.size() >= acceptLimits_.maxConnections) {
            ::close(fd);
            continue;
        }
        // Only the receive buffer is held small: a Linux send buffer also holds the bytes not yet
        // acknowledged, and at 32 KiB a one-way flow would wait on every delayed ACK.
        ::setsockopt(fd, SOL_SOCKET, SO_RCVBUF, &kAcceptedBufferSize, sizeof kAcceptedBufferSize);
        SetNoDelay(fd);
        ConnectionHandle handle = adopt(fd, NetConnection::Side::Accepted);
        accepted_.insert(handle);
        if (acceptLimits_.firstRecordWithin.count() > 0) awaitFirstRecord(handle);
        std::uint8_t handshake[4];
        StoreLe32(handshake, static_cast<std::uint32_t>(random_()) & 0x7FFCu);
        std::int32_t closeCode = 0;
        live_.at(handle)->send(handshake, static_cast<std::uint32_t>(random_()), closeCode);
        afterCall(handle, closeCode);
    }
}

void NetEngine::awaitFirstRecord(ConnectionHandle handle) {
    if (firstRecordTimer_ < 0) {
        firstRecordTimer_ = ::timerfd_create(CLOCK_MONOTONIC, TFD_NONBLOCK | TFD_CLOEXEC);
        if (firstRecordTimer_ < 0) return;
        reactor_.watch(firstRecordTimer_, Reactor::kRead, [this](unsigned) { onFirstRecordTimer(); });
    }
    awaiting_.emplace_back(handle, std::chrono::steady_clock::now() + acceptLimits_.firstRecordWithin);
    if (awaiting_.size() == 1) armFirstRecordTimer();
}

void NetEngine::onFirstRecordTimer() {
    std::uint64_t expirations = 0;
    [[maybe_unused]] ssize_t n = ::read(firstRecordTimer_, &expirations, sizeof expirations);
    const auto now = std::chrono::steady_clock::now();
    while (!awaiting_.empty()) {
        const auto [handle, deadline] = awaiting_.front();
        auto it = live_.find(handle);
        if (it != live_.end() && !it->second->receivedRecord()) {
            if (deadline > now) break;
            close(handle);
        }
        awaiting_.pop_front();
    }
    armFirstRecordTimer();
}

void NetEngine::armFirstRecordTimer() {
    itimerspec when{};
    if (!awaiting_.empty()) {
        const auto left = awaiting_.front().second - std::chrono::steady_clock::now();
        const auto ns =
            std::max<std::int64_t>(1, std::chrono::duration_cast<std::chrono::nanoseconds>(left).count());
        when.it_value.tv_sec = static_cast<time_t>(ns / 1000000000);
        when.it_value.tv_nsec = static_cast<long>(ns % 1000000000);
    }
    ::timerfd_settime(firstRecordTimer_, 0, &when, nullptr);
}

ConnectionHandle NetEngine::connect(const std::string& host, std::uint16_t port) {
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (::getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hints, &found) != 0 || !found) return 0;
    sockaddr_in addr = *reinterpret_cast<sockaddr_in*>(found->ai_addr);
    ::freeaddrinfo(found);

    int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0) return 0;
    SetNoDelay(fd);
    int r = ::connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
    if (r == 0) return adopt(fd, NetConnection::Side::Connected);
    bool started = errno == EINPROGRESS;
    ConnectionHandle handle = adopt(fd, NetConnection::Side::Connecting);
    if (!started) closeWithEvent(handle, NET_CONNECT_FAILED);
    return handle;
}

ConnectionHandle NetEngine::adopt(int fd, NetConnection::Side side) {
    ConnectionHandle handle = nextHandle_++;
    auto report = [this, handle](std::int32_t code, std::vector<std::uint8_t> data) {
        queueEvent(NetEvent{code, handle, std::move(data)});
    };
    auto connection = std::make_unique<NetConnection>(fd, side, std::move(report));
    unsigned interests = Reactor::kRead | (connection->wantsWrite() ? Reactor::kWrite : 0u);
    live_.emplace(handle, std::move(connection));
    reactor_.watch(fd, interests, [this, handle](unsigned ready) { onConnectionReady(handle, ready); });
    return handle;
}

void NetEngine::onConnectionReady(ConnectionHandle handle, unsigned ready) {
    auto it = live_.find(handle);
    if (it == live_.end()) return;
    std::int32_t closeCode = 0;
    if (ready & Reactor::kWrite) closeCode = it->second->onWritable();
    if (closeCode == 0 && (ready & Reactor::kRead)) closeCode = it->second->onReadable();
    afterCall(handle, closeCode);
}

void NetEngine::afterCall(ConnectionHandle handle, std::int32_t closeCode) {
    if (closeCode != 0) {
        closeWithEvent(handle, closeCode);
        return;
    }
    NetConnection& connection = *live_.at(handle);
    reactor_.setInterests(connection.fd(), Reactor::kRead | (connection.wantsWrite() ? Reactor::kWrite : 0u));
}

bool NetEngine::send(ConnectionHandle handle, std::span<const std::uint8_t> bytes) {
    auto it = live_.find(handle);
    if (it == live_.end() || bytes.size() > kMaxPayload) return false;
    std::int32_t closeCode = 0;
    bool queued = it->second->send(bytes, static_cast<std::uint32_t>(random_()), closeCode);
    if (queued) afterCall(handle, closeCode);
    return queued;
}

bool NetEngine::send(ConnectionHandle handle, PackageWriter& package) {
    return send(handle, package.seal());
}

void NetEngine::close(ConnectionHandle handle) {
    auto it = live_.find(handle);
    if (it == live_.end()) return;
    reactor_.unwatch(it->second->fd());
    live_.erase(it);
    accepted_.erase(handle);
}

std::size_t NetEngine::unsentBytes(ConnectionHandle handle) const {
    auto it = live_.find(handle);
    return it == live_.end() ? 0 : it->second->unsentBytes();
}

void NetEngine::closeWithEvent(ConnectionHandle handle, std::int32_t code) {
    close(handle);
    queueEvent(NetEvent{code, handle, {}});
}

void NetEngine::queueEvent(NetEvent event) {
    pending_.push_back(std::move(event));
    if (deliveryPosted_) return;
    deliveryPosted_ = true;
    reactor_.post([this, alive = std::weak_ptr<bool>(alive_)] {
        if (auto a = alive.lock(); a && *a) deliver();
    });
}

void NetEngine::deliver() {
    deliveryPosted_ = false;
    std::deque<NetEvent> events;
    events.swap(pending_);
    std::weak_ptr<bool> alive = alive_;
    for (NetEvent& event : events) {
        sink_.onNetEvent(std::move(event));
        if (alive.expired()) return;
    }
}

}  // namespace lmn::net
