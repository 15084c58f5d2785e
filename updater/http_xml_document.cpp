#include "http_xml_document.h"

#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <string_view>
#include <vector>

#include "http_answer.h"
#include "request_target.h"

namespace lmn::updater {

namespace {

constexpr size_t kPieceSize = 1024;

void Diagnostic(const std::string& line) {
    std::fputs(line.c_str(), stdout);
    std::fflush(stdout);
}

// Closes the socket when the load ends, whichever way it ends.
class Socket {
  public:
    explicit Socket(int fd) : fd_(fd) {}
    ~Socket() {
        if (fd_ >= 0) close(fd_);
    }
    Socket(const Socket&) = delete;
    Socket& operator=(const Socket&) = delete;
    int fd() const { return fd_; }

  private:
    int fd_;
};

bool Resolve(const std::string& host, int port, sockaddr_in& address) {
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (getaddrinfo(host.c_str(), nullptr, &hints, &found) != 0 || !found) return false;
    address = *reinterpret_cast<sockaddr_in*>(found->ai_addr);
    address.sin_port = htons(static_cast<uint16_t>(port));
    freeaddrinfo(found);
    return true;
}

// Waits until the socket is ready for `events`; false when the bound passed first.
bool WaitReady(int fd, short events, std::chrono::milliseconds bound) {
    pollfd p{fd, events, 0};
    int rc;
    do rc = poll(&p, 1, static_cast<int>(bound.count()));
    while (rc < 0 && errno == EINTR);
    return rc > 0;
}

// A non-blocking connect that waits at most `bound`; the socket stays non-blocking.
bool ConnectWithin(int fd, const sockaddr_in& address, std::chrono::milliseconds bound) {
    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);
    if (connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0) return true;
    if (errno != EINPROGRESS || !WaitReady(fd, POLLOUT, bound)) return false;
    int error = 0;
    socklen_t len = sizeof error;
    return getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &len) == 0 && error == 0;
}

bool SendAll(int fd, const std::string& data, std::chrono::milliseconds idle) {
    size_t sent = 0;
    while (sent < data.size()) {
        if (!WaitReady(fd, POLLOUT, idle)) return false;
        ssize_t n = send(fd, data.data() + sent, data.size() - sent, MSG_NOSIGNAL);
        if (n < 0 && (errno == EAGAIN || errno == EINTR)) continue;
        if (n <= 0) return false;
        sent += static_cast<size_t>(n);
    }
    return true;
}

enum class ReceiveEnd { closed, error, overflow, stalled };

// One receive after waiting at most `idle` for data; -2 when nothing came in time.
ssize_t ReceiveWithin(int fd, char* data, size_t size, std::chrono::milliseconds idle) {
    for (;;) {
        if (!WaitReady(fd, POLLIN, idle)) return -2;
        ssize_t n = recv(fd, data, size, 0);
        if (n >= 0 || (errno != EAGAIN && errno != EINTR)) return n;
    }
}

// Receives until the peer closes; an answer larger than the buffer ends the receipt, and so
// does a server that sends nothing for `idle`.
ReceiveEnd ReceiveAll(int fd, std::vector<char>& buffer, size_t& used, std::chrono::milliseconds idle) {
    for (;;) {
        if (used == buffer.size()) {
            char probe;
            ssize_t n = ReceiveWithin(fd, &probe, 1, idle);
            if (n == -2) return ReceiveEnd::stalled;
            if (n == 0) return ReceiveEnd::closed;
            return n < 0 ? ReceiveEnd::error : ReceiveEnd::overflow;
        }
        size_t room = std::min(kPieceSize, buffer.size() - used);
        ssize_t n = ReceiveWithin(fd, buffer.data() + used, room, idle);
        if (n == -2) return ReceiveEnd::stalled;
        if (n == 0) return ReceiveEnd::closed;
        if (n < 0) return ReceiveEnd::error;
        used += static_cast<size_t>(n);
        Diagnostic("recv: " + std::to_string(n) + " bytes\n");
    }
}

}  // namespace

bool CHttpXmlDocument::LoadHttpXml(const std::string& url, int port) {
    Clear();
    complete_ = false;
    Diagnostic("start load xml..\n");
    try {
        RequestTarget target;
        if (!ParseRequestTarget(url, port, target)) {
            Diagnostic("error: need http:// \n");
            return false;
        }
        sockaddr_in address{};
        if (!Resolve(target.host, target.port, address)) {
            Diagnostic("error: gethostbyname of " + target.host + "\n");
            return false;
        }
        Socket socket(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0));
        if (socket.fd() < 0) {
            Diagnostic("error: create socket err in loadhttpxml\n");
            return false;
        }
        if (!ConnectWithin(socket.fd(), address, bounds_.connect)) {
            Diagnostic("error: connect httpserver fail in loadhttpxml\n");
            return false;
        }
        SendAll(socket.fd(), "GET " + url + " HTTP/1.0\r\n\r\n", bounds_.idle);

        std::vector<char> buffer(kReceiveBufferSize, '\0');
        size_t used = 0;
        ReceiveEnd end = ReceiveAll(socket.fd(), buffer, used, bounds_.idle);
        if (end == ReceiveEnd::stalled) {
            Diagnostic("error: no answer from the server in time\n");
            return false;
        }
        if (end == ReceiveEnd::overflow) {
            Diagnostic("error: answer larger than the receive buffer\n");
            return false;
        }
        ManifestAnswer answer = ReadManifestAnswer(std::string_view(buffer.data(), used));
        if (!answer.legal) {
            Diagnostic("this is not a legal xml file \n");
            return false;
        }
        if (end == ReceiveEnd::error) Diagnostic("socket error\n");
        complete_ = answer.complete;
        bool parsed = Parse(answer.xml.data(), answer.xml.size()) == tinyxml2::XML_SUCCESS;
        if (complete_ && !parsed) Diagnostic("error: xml does not parse\n");
        return complete_ && parsed;
    } catch (...) {
        Diagnostic("some error occured in LoadHttpXml! \n");
        return false;
    }
}

}  // namespace lmn::updater
