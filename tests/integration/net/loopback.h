// Helpers for transport tests over real loopback sockets: a recorder of engine events, a loop
// runner, and a raw blocking peer that writes and reads the framed stream byte by byte.
#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "epoll_reactor.h"
#include "net_event.h"

namespace lmn::test {

class EventLog : public net::NetEventSink {
  public:
    void onNetEvent(net::NetEvent event) override { events.push_back(std::move(event)); }

    std::vector<net::NetEvent> events;

    std::size_t Count(std::int32_t code) const {
        std::size_t n = 0;
        for (auto& e : events) n += e.code == code;
        return n;
    }
    // Payloads of the NET_DATA events, without the 4-byte tag copy.
    std::vector<std::string> Payloads() const {
        std::vector<std::string> out;
        for (auto& e : events)
            if (e.code == net::NET_DATA) out.emplace_back(e.data.begin(), e.data.end() - 4);
        return out;
    }
};

// Runs the reactor until done() holds or timeoutMs pass; returns whether done() held. done()
// is called once per round, so it may take what it was waiting for.
inline bool RunUntil(net::EpollReactor& reactor, const std::function<bool()>& done, int timeoutMs = 5000) {
    auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        if (done()) return true;
        if (std::chrono::steady_clock::now() >= end) return false;
        reactor.runOnce(10);
    }
}

class RawSocket {
  public:
    explicit RawSocket(int fd = -1) : fd_(fd) {}
    RawSocket(RawSocket&& o) noexcept : fd_(o.fd_) { o.fd_ = -1; }
    RawSocket& operator=(RawSocket&& o) noexcept {
        std::swap(fd_, o.fd_);
        return *this;
    }
    ~RawSocket() {
        if (fd_ >= 0) ::close(fd_);
    }
    int fd() const { return fd_; }

    static RawSocket Listen(std::uint16_t& port) {
        int fd = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
        ::listen(fd, 4);
        socklen_t len = sizeof addr;
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &len);
        port = ntohs(addr.sin_port);
        return RawSocket(fd);
    }

    static RawSocket Connect(const std::string& host, std::uint16_t port) {
        int fd = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_port = htons(port);
        ::inet_pton(AF_INET, host.c_str(), &addr.sin_addr);
        if (::connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0) {
            ::close(fd);
            return RawSocket();
        }
        return RawSocket(fd);
    }

    // Waits up to timeoutMs for a pending connection (the engine's connect runs meanwhile on
    // the reactor, so call it after connect() has started).
    RawSocket Accept(int timeoutMs = 2000) const {
        pollfd p{fd_, POLLIN, 0};
        if (::poll(&p, 1, timeoutMs) <= 0) return RawSocket();
        return RawSocket(::accept(fd_, nullptr, nullptr));
    }

    void Write(const std::vector<std::uint8_t>& bytes) const {
        std::size_t at = 0;
        while (at < bytes.size()) {
            ssize_t n = ::send(fd_, bytes.data() + at, bytes.size() - at, MSG_NOSIGNAL);
            if (n <= 0) return;
            at += static_cast<std::size_t>(n);
        }
    }

    // Whatever arrives within timeoutMs (stops early once nothing came for 20 ms after data).
    std::vector<std::uint8_t> ReadAvailable(int timeoutMs) const {
        std::vector<std::uint8_t> out;
        std::uint8_t buf[65536];
        int wait = timeoutMs;
        for (;;) {
            pollfd p{fd_, POLLIN, 0};
            if (::poll(&p, 1, wait) <= 0) break;
            ssize_t n = ::recv(fd_, buf, sizeof buf, 0);
            if (n <= 0) break;
            out.insert(out.end(), buf, buf + n);
            wait = 20;
        }
        return out;
    }

    // Reads without waiting.
    std::vector<std::uint8_t> ReadNow() const {
        std::vector<std::uint8_t> out;
        std::uint8_t buf[65536];
        for (;;) {
            ssize_t n = ::recv(fd_, buf, sizeof buf, MSG_DONTWAIT);
            if (n <= 0) break;
            out.insert(out.end(), buf, buf + n);
        }
        return out;
    }

  private:
    int fd_;
};

}  // namespace lmn::test
