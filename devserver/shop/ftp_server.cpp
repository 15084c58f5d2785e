#include "ftp_server.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <thread>

namespace lmn::dev {

namespace {
constexpr auto kStartTimeout = std::chrono::seconds(10);
constexpr const char* kPython = "/usr/bin/python3";
}  // namespace

ShopFtpServer::ShopFtpServer(std::string host, int port, std::string home, std::string user,
                             std::string password)
    : host_(std::move(host)),
      port_(port),
      home_(std::move(home)),
      user_(std::move(user)),
      password_(std::move(password)) {}

ShopFtpServer::~ShopFtpServer() {
    Stop();
}

bool ShopFtpServer::Accepting() const {
    int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return false;
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_port = htons(static_cast<uint16_t>(port_));
    inet_pton(AF_INET, host_.c_str(), &addr.sin_addr);
    bool ok = connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0;
    close(fd);
    return ok;
}

bool ShopFtpServer::EnsureRunning() {
    std::lock_guard lock(mutex_);
    if (pid_ > 0 && waitpid(pid_, nullptr, WNOHANG) == 0) return true;
    std::error_code ec;
    std::filesystem::create_directories(home_, ec);
    std::string port = std::to_string(port_);
    std::string parent = std::to_string(getpid());
    pid_ = fork();
    if (pid_ < 0) return false;
    if (pid_ == 0) {
        int null = open("/dev/null", O_RDWR);
        dup2(null, STDIN_FILENO);
        dup2(null, STDOUT_FILENO);
        dup2(null, STDERR_FILENO);
        setenv("LMN_FTP_USER", user_.c_str(), 1);
        setenv("LMN_FTP_PASSWORD", password_.c_str(), 1);
        execl(kPython, kPython, LMN_SHOP_FTP_SCRIPT, host_.c_str(), port.c_str(), home_.c_str(),
              parent.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    auto deadline = std::chrono::steady_clock::now() + kStartTimeout;
    while (std::chrono::steady_clock::now() < deadline) {
        if (Accepting()) return true;
        if (waitpid(pid_, nullptr, WNOHANG) == pid_) break;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    kill(pid_, SIGTERM);
    waitpid(pid_, nullptr, 0);
    pid_ = -1;
    return false;
}

void ShopFtpServer::Stop() {
    std::lock_guard lock(mutex_);
    if (pid_ <= 0) return;
    kill(pid_, SIGTERM);
    waitpid(pid_, nullptr, 0);
    pid_ = -1;
}

}  // namespace lmn::dev
