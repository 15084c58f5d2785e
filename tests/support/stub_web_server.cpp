#include "stub_web_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace lmn::test {

StubWebServer::StubWebServer(const std::string& address) : address_(address) {
    listenFd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    ::inet_pton(AF_INET, address.c_str(), &addr.sin_addr);
    socklen_t len = sizeof addr;
    if (listenFd_ < 0 || ::bind(listenFd_, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 ||
        ::listen(listenFd_, 64) != 0 ||
        ::getsockname(listenFd_, reinterpret_cast<sockaddr*>(&addr), &len) != 0)
        return;
    port_ = ntohs(addr.sin_port);
    thread_ = std::thread(&StubWebServer::Run, this);
}

StubWebServer::~StubWebServer() {
    stopping_ = true;
    if (thread_.joinable()) thread_.join();
    if (listenFd_ >= 0) ::close(listenFd_);
}

void StubWebServer::Page(const std::string& path, const std::string& body) {
    std::lock_guard lock(mutex_);
    answers_[path] = Answer{200, body, {}};
}

void StubWebServer::Redirect(const std::string& path, const std::string& location) {
    std::lock_guard lock(mutex_);
    answers_[path] = Answer{302, "moved", location};
}

std::string StubWebServer::origin() const {
    return "http://" + address_ + ":" + std::to_string(port_);
}

std::vector<std::string> StubWebServer::Targets() const {
    std::lock_guard lock(mutex_);
    return targets_;
}

std::vector<std::string> StubWebServer::TargetsWith(const std::string& part) const {
    std::vector<std::string> hits;
    for (const std::string& target : Targets())
        if (target.find(part) != std::string::npos) hits.push_back(target);
    return hits;
}

bool StubWebServer::Serve(int fd, const std::string& head) {
    const size_t space = head.find(' ');
    const size_t end = head.find(' ', space + 1);
    const std::string target = space == std::string::npos ? "" : head.substr(space + 1, end - space - 1);
    Answer answer;
    {
        std::lock_guard lock(mutex_);
        targets_.push_back(target);
        auto it = answers_.find(target.substr(0, target.find('?')));
        if (it == answers_.end()) return false;
        answer = it->second;
    }
    std::string reply =
        "HTTP/1.1 " + std::to_string(answer.status) + (answer.status == 200 ? " OK" : " Found") +
        "\r\nContent-Type: text/html; charset=gbk\r\nContent-Length: " + std::to_string(answer.body.size()) +
        "\r\nConnection: close\r\n";
    if (!answer.location.empty()) reply += "Location: " + answer.location + "\r\n";
    reply += "\r\n" + answer.body;
    ::send(fd, reply.data(), reply.size(), MSG_NOSIGNAL);
    return true;
}

void StubWebServer::Run() {
    struct Connection {
        int fd;
        std::string received;
        bool answered;
    };
    std::vector<Connection> connections;
    while (!stopping_) {
        std::vector<pollfd> fds{{listenFd_, POLLIN, 0}};
        for (const Connection& c : connections) fds.push_back({c.fd, POLLIN, 0});
        if (::poll(fds.data(), fds.size(), 50) <= 0) continue;
        if (fds[0].revents & POLLIN) {
            const int fd = ::accept4(listenFd_, nullptr, nullptr, SOCK_CLOEXEC);
            if (fd >= 0) connections.push_back({fd, {}, false});
        }
        for (size_t i = 1; i < fds.size(); ++i) {
            if (!(fds[i].revents & (POLLIN | POLLHUP | POLLERR))) continue;
            Connection& c = connections[i - 1];
            char buf[4096];
            const ssize_t n = ::recv(c.fd, buf, sizeof buf, 0);
            if (n <= 0) {
                ::close(c.fd);
                c.fd = -1;
                continue;
            }
            if (c.answered) continue;
            c.received.append(buf, static_cast<size_t>(n));
            if (c.received.find("\r\n\r\n") == std::string::npos) continue;
            c.answered = true;
            if (Serve(c.fd, c.received)) {
                ::close(c.fd);
                c.fd = -1;
            }
        }
        std::erase_if(connections, [](const Connection& c) { return c.fd < 0; });
    }
    for (const Connection& c : connections) ::close(c.fd);
}

}  // namespace lmn::test
