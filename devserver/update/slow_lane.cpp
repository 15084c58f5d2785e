#include "slow_lane.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <sstream>

#include "percent_decode.h"
#include "update_tree.h"

namespace lmn::dev {

namespace {

constexpr size_t kChunk = 4096;

bool SendAll(int fd, const char* data, size_t size) {
    while (size > 0) {
        ssize_t n = send(fd, data, size, MSG_NOSIGNAL);
        if (n <= 0) return false;
        data += n;
        size -= static_cast<size_t>(n);
    }
    return true;
}

std::string PathOf(std::string target) {
    if (size_t scheme = target.find("://"); scheme != std::string::npos) {
        size_t slash = target.find('/', scheme + 3);
        target = slash == std::string::npos ? "/" : target.substr(slash);
    }
    return PercentDecode(target.substr(0, target.find('?')), false);
}

std::string ReadWhole(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace

bool SlowLane::Start() {
    listenFd_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (listenFd_ < 0) return false;
    int one = 1;
    setsockopt(listenFd_, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_port = htons(port_);
    if (inet_pton(AF_INET, ctx_.host.c_str(), &addr.sin_addr) != 1 ||
        bind(listenFd_, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 || listen(listenFd_, 16) != 0) {
        close(listenFd_);
        listenFd_ = -1;
        return false;
    }
    running_ = true;
    acceptThread_ = std::thread([this] { AcceptLoop(); });
    return true;
}

void SlowLane::Stop() {
    if (!running_.exchange(false)) return;
    acceptThread_.join();
    close(listenFd_);
}

void SlowLane::AcceptLoop() {
    while (running_) {
        pollfd p{listenFd_, POLLIN, 0};
        if (poll(&p, 1, 50) <= 0) continue;
        int fd = accept4(listenFd_, nullptr, nullptr, SOCK_CLOEXEC);
        if (fd >= 0) std::thread([this, fd] { Serve(fd); }).detach();
    }
}

void SlowLane::Serve(int fd) {
    std::string head;
    char buf[4096];
    while (head.find("\r\n\r\n") == std::string::npos && head.size() < 65536) {
        ssize_t n = recv(fd, buf, sizeof buf, 0);
        if (n <= 0) break;
        head.append(buf, static_cast<size_t>(n));
    }
    std::istringstream first(head.substr(0, head.find("\r\n")));
    std::string method, target;
    first >> method >> target;
    std::string path = PathOf(target);
    LogLine(ctx_, "update", method + " " + path);

    UpdateTreeFile file = FindUpdateTreeFile(ctx_, path);
    std::string answer;
    if (file.kind == UpdateTreeFile::Kind::raw) {
        answer = ReadWhole(file.native);
    } else {
        std::string body = file.kind == UpdateTreeFile::Kind::file
                               ? ReadWhole(file.native)
                               : "<html><body><h1>HTTP 404 Not Found</h1><p> 404 </p></body></html>";
        answer = std::string(file.kind == UpdateTreeFile::Kind::file ? "HTTP/1.0 200 OK"
                                                                     : "HTTP/1.0 404 Not Found") +
                 "\r\nContent-Length: " + std::to_string(body.size()) + "\r\nConnection: close\r\n\r\n" +
                 body;
    }
    long rate = SlowLaneRate(ctx_);
    auto pause = std::chrono::microseconds(static_cast<long long>(kChunk) * 1000000 / rate);
    for (size_t at = 0; at < answer.size() && running_; at += kChunk) {
        if (!SendAll(fd, answer.data() + at, std::min(kChunk, answer.size() - at))) break;
        std::this_thread::sleep_for(pause);
    }
    shutdown(fd, SHUT_WR);
    close(fd);
}

}  // namespace lmn::dev
