// A small threaded HTTP/1.x server for the stand-in game servers: one thread per connection,
// one request per connection (the answer closes it), routes by path prefix, static files
// from a folder. Binds to one loopback address so tests can run side by side.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace lmn::dev {

struct HttpRequest {
    std::string method;
    std::string target;  // as sent on the request line (may be an absolute URL)
    std::string path;    // percent-decoded path without the query, e.g. "/game/zrk/index.php"
    std::string query;   // raw text after '?', not decoded
    std::map<std::string, std::string> headers;  // names lower-cased
    std::string body;
    std::string peer;  // dotted address of the client

    // Value of a query parameter (percent-decoded, '+' as blank); empty when absent.
    std::string Param(const std::string& key) const;
};

struct HttpResponse {
    int status = 200;
    std::string contentType = "text/html; charset=gbk";
    std::string body;
    std::vector<std::pair<std::string, std::string>> headers;
    // When set, these bytes are sent as the whole answer (status line and headers included):
    // for stand-ins that must answer the way a quirky server does.
    std::string raw;
    bool useRaw = false;
};

// Returns true when it produced the answer; false passes the request on.
using HttpHandler = std::function<bool(const HttpRequest&, HttpResponse&)>;

class HttpServer {
  public:
    HttpServer(std::string bindAddress, uint16_t port);
    ~HttpServer();
    HttpServer(const HttpServer&) = delete;
    HttpServer& operator=(const HttpServer&) = delete;

    // Handlers are tried in the order they were added, for paths starting with prefix.
    void Route(std::string pathPrefix, HttpHandler handler);
    // Files below root answer every path no handler took ("/game/zrk/x.php" -> root/game/zrk/x.php).
    void ServeStatic(std::string root);

    bool Start();  // false when the address cannot be bound
    void Stop();
    uint16_t port() const { return port_; }

  private:
    void AcceptLoop();
    void Serve(int fd, std::string peer);
    void Answer(const HttpRequest& req, HttpResponse& res);

    std::string bindAddress_;
    uint16_t port_;
    int listenFd_ = -1;
    std::atomic<bool> running_{false};
    std::thread acceptThread_;
    std::vector<std::pair<std::string, HttpHandler>> routes_;
    std::string staticRoot_;
    std::mutex workersMutex_;
    std::vector<std::thread> workers_;
};

}  // namespace lmn::dev
