// A web server on loopback for tests of servers that misbehave: it answers the pages and
// redirects it was given, and reads every other request without ever answering it (the
// connection stays open until the server stops).
#pragma once

#include <atomic>
#include <cstdint>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace lmn::test {

class StubWebServer {
  public:
    // Listens on address, on a free port.
    explicit StubWebServer(const std::string& address = "127.0.0.1");
    ~StubWebServer();
    StubWebServer(const StubWebServer&) = delete;
    StubWebServer& operator=(const StubWebServer&) = delete;

    // Answers GETs of this path (the query is not looked at) with 200 and the body.
    void Page(const std::string& path, const std::string& body);
    // Answers GETs of this path with 302 to location.
    void Redirect(const std::string& path, const std::string& location);

    bool ok() const { return port_ != 0; }
    // "http://address:port"
    std::string origin() const;
    // Request targets in arrival order, as sent on the request line.
    std::vector<std::string> Targets() const;
    // Targets that contain part.
    std::vector<std::string> TargetsWith(const std::string& part) const;

  private:
    struct Answer {
        int status = 200;
        std::string body;
        std::string location;
    };
    void Run();
    // Answers a complete request head, or keeps the connection when nothing answers it.
    bool Serve(int fd, const std::string& head);

    std::string address_;
    int listenFd_ = -1;
    std::uint16_t port_ = 0;
    mutable std::mutex mutex_;
    std::map<std::string, Answer> answers_;
    std::vector<std::string> targets_;
    std::atomic<bool> stopping_{false};
    std::thread thread_;
};

}  // namespace lmn::test
