#include "byte_forwarder.h"

#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/epoll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdint>
#include <vector>

namespace lmn::bench {

namespace {

int AcceptWithHandshake(int listener) {
    // One block holding one record whose payload is the 4-byte handshake value.
    static const std::uint8_t handshake[] = {16,   0, 0, 0, 1, 0, 0, 0, 8,    0, 0, 0,
                                             0x20, 0, 0, 0, 4, 0, 0, 0, 0x20, 0, 0, 0};
    const int fd = ::accept(listener, nullptr, nullptr);
    if (fd < 0) return -1;
    int one = 1;
    ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
    ::send(fd, handshake, sizeof handshake, MSG_NOSIGNAL);
    return fd;
}

// Writes all of n bytes (blocking socket; a partial write is finished at once).
bool WriteAll(int fd, const std::uint8_t* data, ssize_t n) {
    while (n > 0) {
        const ssize_t sent = ::send(fd, data, static_cast<std::size_t>(n), MSG_NOSIGNAL);
        if (sent <= 0) return false;
        data += sent;
        n -= sent;
    }
    return true;
}

}  // namespace

void RunByteForwarder(int listener) {
    const int ends[2] = {AcceptWithHandshake(listener), AcceptWithHandshake(listener)};
    const int poller = ::epoll_create1(EPOLL_CLOEXEC);
    for (int i = 0; i < 2; ++i) {
        epoll_event event{};
        event.events = EPOLLIN;
        event.data.u32 = static_cast<std::uint32_t>(i);
        if (ends[i] >= 0) ::epoll_ctl(poller, EPOLL_CTL_ADD, ends[i], &event);
    }
    std::vector<std::uint8_t> buffer(1 << 20);
    for (bool open = ends[0] >= 0 && ends[1] >= 0; open;) {
        epoll_event ready[2];
        const int n = ::epoll_wait(poller, ready, 2, -1);
        for (int i = 0; i < n && open; ++i) {
            const int from = ends[ready[i].data.u32];
            const int to = ends[1 - ready[i].data.u32];
            const ssize_t got = ::recv(from, buffer.data(), buffer.size(), 0);
            open = got > 0 && WriteAll(to, buffer.data(), got);
        }
    }
    ::close(poller);
    for (int fd : ends)
        if (fd >= 0) ::close(fd);
}

}  // namespace lmn::bench
