#include "net_connection.h"

#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>

#include "net_event.h"

namespace lmn::net {

namespace {

constexpr std::size_t kReadChunk = 64 * 1024;
// Reads per readable notification before other sockets get their turn.
constexpr int kReadsPerNotification = 4;

}  // namespace

NetConnection::NetConnection(int fd, Side side, EmitFn emit)
    : fd_(fd),
      connecting_(side == Side::Connecting),
      established_(side == Side::Accepted),
      handshakePending_(side != Side::Accepted),
      emit_(std::move(emit)) {}

NetConnection::~NetConnection() {
    ::close(fd_);
}

bool NetConnection::wantsWrite() const {
    return connecting_ || (established_ && queue_.hasData());
}

std::int32_t NetConnection::finishConnect() {
    int error = 0;
    socklen_t len = sizeof error;
    if (::getsockopt(fd_, SOL_SOCKET, SO_ERROR, &error, &len) != 0 || error != 0) return NET_CONNECT_FAILED;
    connecting_ = false;
    return 0;
}

std::int32_t NetConnection::onReadable() {
    // A refused connect can show as readable before it shows as writable (the Qt socket
    // notifier reports the read side first): it is a failed connect, not a receive error.
    if (connecting_) {
        if (std::int32_t code = finishConnect(); code != 0) return code;
    }
    static thread_local std::vector<std::uint8_t> buffer(kReadChunk);
    for (int i = 0; i < kReadsPerNotification; ++i) {
        ssize_t n = ::recv(fd_, buffer.data(), buffer.size(), 0);
        if (n == 0) return NET_CLOSED;
        if (n < 0) {
            if (errno == EINTR) continue;
            if (errno == EAGAIN || errno == EWOULDBLOCK) return 0;
            return errno == ECONNRESET ? NET_CLOSED : NET_ERROR;
        }
        bool ok =
            receiver_.feed(std::span<const std::uint8_t>(buffer.data(), static_cast<std::size_t>(n)),
                           [this](std::uint32_t, std::span<const std::uint8_t> record) { onRecord(record); });
        if (!ok) return NET_CLOSED;
        if (static_cast<std::size_t>(n) < buffer.size()) return 0;
    }
    return 0;
}

void NetConnection::onRecord(std::span<const std::uint8_t> payloadAndTag) {
    receivedRecord_ = true;
    if (handshakePending_) {
        handshakePending_ = false;
        established_ = true;
        emit_(NET_CONNECTED, {});
        return;
    }
    emit_(NET_DATA, std::vector<std::uint8_t>(payloadAndTag.begin(), payloadAndTag.end()));
}

std::int32_t NetConnection::onWritable() {
    if (connecting_) return finishConnect();
    writeBlocked_ = false;
    return sendStep();
}

bool NetConnection::send(std::span<const std::uint8_t> payload, std::uint32_t tagSource,
                         std::int32_t& closeCode) {
    closeCode = 0;
    if (!established_) return false;
    queue_.append(payload, tagSource);
    if (!writeBlocked_) closeCode = sendStep();
    return true;
}

std::int32_t NetConnection::sendStep() {
    if (!established_) return 0;
    std::span<const std::uint8_t> bytes = queue_.nextToSend();
    if (bytes.empty()) return 0;
    for (;;) {
        ssize_t n = ::send(fd_, bytes.data(), bytes.size(), MSG_NOSIGNAL);
        if (n >= 0) {
            queue_.consumed(static_cast<std::size_t>(n));
            if (static_cast<std::size_t>(n) < bytes.size()) writeBlocked_ = true;
            return 0;
        }
        if (errno == EINTR) continue;
        if (errno == EAGAIN || errno == EWOULDBLOCK) {
            writeBlocked_ = true;
            return 0;
        }
        return NET_ERROR;
    }
}

}  // namespace lmn::net
