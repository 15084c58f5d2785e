#include "http_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <fstream>
#include <sstream>

#include "percent_decode.h"
#include "text.h"

namespace lmn::dev {

namespace {

constexpr size_t kMaxRequest = 8u << 20;

const char* Reason(int status) {
    switch (status) {
        case 200:
            return "OK";
        case 400:
            return "Bad Request";
        case 404:
            return "Not Found";
        case 500:
            return "Internal Server Error";
        default:
            return "Status";
    }
}

std::string ContentTypeOf(const std::string& path) {
    auto ends = [&](const char* ext) {
        size_t n = std::strlen(ext);
        return path.size() >= n && AsciiLower(path.substr(path.size() - n)) == ext;
    };
    if (ends(".php") || ends(".html") || ends(".htm")) return "text/html; charset=utf-8";
    if (ends(".js")) return "text/javascript; charset=utf-8";
    if (ends(".css")) return "text/css";
    if (ends(".xml")) return "text/xml";
    if (ends(".jpg") || ends(".jpeg")) return "image/jpeg";
    if (ends(".png")) return "image/png";
    if (ends(".mp3")) return "audio/mpeg";
    if (ends(".txt")) return "text/plain; charset=gbk";
    return "application/octet-stream";
}

void SendAll(int fd, std::string_view data) {
    while (!data.empty()) {
        ssize_t n = send(fd, data.data(), data.size(), MSG_NOSIGNAL);
        if (n <= 0) return;
        data.remove_prefix(static_cast<size_t>(n));
    }
}

}  // namespace

std::string HttpRequest::Param(const std::string& key) const {
    for (const auto& pair : Split(query, '&')) {
        size_t eq = pair.find('=');
        std::string k = PercentDecode(pair.substr(0, eq), true);
        if (k == key) return eq == std::string::npos ? "" : PercentDecode(pair.substr(eq + 1), true);
    }
    return {};
}

HttpServer::HttpServer(std::string bindAddress, uint16_t port)
    : bindAddress_(std::move(bindAddress)), port_(port) {}

HttpServer::~HttpServer() {
    Stop();
}

void HttpServer::Route(std::string pathPrefix, HttpHandler handler) {
    routes_.emplace_back(std::move(pathPrefix), std::move(handler));
}

void HttpServer::ServeStatic(std::string root) {
    staticRoot_ = std::move(root);
}

bool HttpServer::Start() {
    listenFd_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (listenFd_ < 0) return false;
    int one = 1;
    setsockopt(listenFd_, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_port = htons(port_);
    if (inet_pton(AF_INET, bindAddress_.c_str(), &addr.sin_addr) != 1 ||
        bind(listenFd_, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 || listen(listenFd_, 64) != 0) {
        close(listenFd_);
        listenFd_ = -1;
        return false;
    }
    running_ = true;
    acceptThread_ = std::thread(&HttpServer::AcceptLoop, this);
    return true;
}

void HttpServer::Stop() {
    if (!running_.exchange(false)) return;
    shutdown(listenFd_, SHUT_RDWR);
    if (acceptThread_.joinable()) acceptThread_.join();
    close(listenFd_);
    listenFd_ = -1;
    std::lock_guard lock(workersMutex_);
    for (auto& t : workers_)
        if (t.joinable()) t.join();
    workers_.clear();
}

void HttpServer::AcceptLoop() {
    while (running_) {
        pollfd pfd{listenFd_, POLLIN, 0};
        if (poll(&pfd, 1, 200) <= 0) continue;
        sockaddr_in peer{};
        socklen_t len = sizeof peer;
        int fd = accept4(listenFd_, reinterpret_cast<sockaddr*>(&peer), &len, SOCK_CLOEXEC);
        if (fd < 0) continue;
        char ip[INET_ADDRSTRLEN] = {};
        inet_ntop(AF_INET, &peer.sin_addr, ip, sizeof ip);
        std::lock_guard lock(workersMutex_);
        // Finished workers are detached lazily: keep the list short.
        if (workers_.size() > 256) {
            for (auto& t : workers_) t.join();
            workers_.clear();
        }
        workers_.emplace_back(&HttpServer::Serve, this, fd, std::string(ip));
    }
}

void HttpServer::Serve(int fd, std::string peer) {
    std::string data;
    char buf[8192];
    size_t headerEnd = std::string::npos;
    size_t bodyLength = 0;
    while (data.size() < kMaxRequest) {
        pollfd pfd{fd, POLLIN, 0};
        if (poll(&pfd, 1, 10000) <= 0) break;
        ssize_t n = recv(fd, buf, sizeof buf, 0);
        if (n <= 0) break;
        data.append(buf, static_cast<size_t>(n));
        if (headerEnd == std::string::npos) {
            headerEnd = data.find("\r\n\r\n");
            if (headerEnd != std::string::npos) {
                std::string lower = AsciiLower(data.substr(0, headerEnd));
                size_t cl = lower.find("\ncontent-length:");
                if (cl != std::string::npos) bodyLength = static_cast<size_t>(AtoI(lower.substr(cl + 16)));
            }
        }
        if (headerEnd != std::string::npos && data.size() >= headerEnd + 4 + bodyLength) break;
    }
    HttpRequest req;
    req.peer = std::move(peer);
    HttpResponse res;
    if (headerEnd == std::string::npos) {
        res.status = 400;
        res.body = "bad request";
    } else {
        std::istringstream head(data.substr(0, headerEnd));
        std::string line;
        std::getline(head, line);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        std::istringstream first(line);
        std::string version;
        first >> req.method >> req.target >> version;
        std::string target = req.target;
        if (size_t scheme = target.find("://"); scheme != std::string::npos) {
            size_t slash = target.find('/', scheme + 3);
            target = slash == std::string::npos ? "/" : target.substr(slash);
        }
        size_t q = target.find('?');
        req.path = PercentDecode(target.substr(0, q), false);
        req.query = q == std::string::npos ? "" : target.substr(q + 1);
        while (std::getline(head, line)) {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            size_t colon = line.find(':');
            if (colon != std::string::npos)
                req.headers[AsciiLower(line.substr(0, colon))] = Trim(line.substr(colon + 1));
        }
        req.body = data.substr(headerEnd + 4, bodyLength);
        Answer(req, res);
    }
    if (res.useRaw) {
        SendAll(fd, res.raw);
    } else {
        std::string out = "HTTP/1.1 " + std::to_string(res.status) + " " + Reason(res.status) + "\r\n";
        out += "Content-Type: " + res.contentType + "\r\n";
        out += "Content-Length: " + std::to_string(res.body.size()) + "\r\n";
        out += "Cache-Control: no-store\r\nConnection: close\r\n";
        for (const auto& [k, v] : res.headers) out += k + ": " + v + "\r\n";
        out += "\r\n";
        SendAll(fd, out);
        if (req.method != "HEAD") SendAll(fd, res.body);
    }
    shutdown(fd, SHUT_WR);
    close(fd);
}

void HttpServer::Answer(const HttpRequest& req, HttpResponse& res) {
    for (const auto& [prefix, handler] : routes_)
        if (req.path.rfind(prefix, 0) == 0 && handler(req, res)) return;
    if (!staticRoot_.empty() && req.path.find("..") == std::string::npos) {
        std::string file = staticRoot_ + req.path;
        struct stat st;
        if (stat(file.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) file += "/index.html";
        std::ifstream in(file, std::ios::binary);
        if (in) {
            std::stringstream ss;
            ss << in.rdbuf();
            res.body = ss.str();
            res.contentType = ContentTypeOf(file);
            return;
        }
    }
    res.status = 404;
    res.body = "<html><body><h1>HTTP 404 Not Found</h1><p> 404 </p></body></html>";
}

}  // namespace lmn::dev
