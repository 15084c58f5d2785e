// A loopback TCP server for the updater's unit tests: every connection gets the canned bytes
// its request asks for (the whole answer, status line included), then the server closes it.
#pragma once

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace lmn::test {

class CannedServer {
  public:
    // answer maps the request's first line to the raw bytes to send back.
    explicit CannedServer(std::function<std::string(const std::string& requestLine)> answer);
    ~CannedServer();
    CannedServer(const CannedServer&) = delete;
    CannedServer& operator=(const CannedServer&) = delete;

    int port() const { return port_; }
    std::string url(const std::string& path) const;  // "http://127.0.0.1:PORT" + path
    std::vector<std::string> requests() const;       // whole request texts, in arrival order

  private:
    void Loop();

    std::function<std::string(const std::string&)> answer_;
    int listenFd_ = -1;
    int port_ = 0;
    std::atomic<bool> running_{true};
    std::thread thread_;
    mutable std::mutex mutex_;
    std::vector<std::string> requests_;
};

// An HTTP/1.0 answer with status, a Content-Length and the body.
std::string HttpAnswer(int status, const std::string& body);

}  // namespace lmn::test
