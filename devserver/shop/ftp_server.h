// The card shop's FTP server: Debian's pyftpdlib run by /usr/bin/python3 on the devserver's
// loopback address, started on first use and stopped with the devserver.
#pragma once

#include <sys/types.h>

#include <mutex>
#include <string>

namespace lmn::dev {

class ShopFtpServer {
  public:
    ShopFtpServer(std::string host, int port, std::string home, std::string user, std::string password);
    ~ShopFtpServer();
    ShopFtpServer(const ShopFtpServer&) = delete;
    ShopFtpServer& operator=(const ShopFtpServer&) = delete;

    // Starts the server unless it runs already; true once it accepts connections.
    bool EnsureRunning();
    void Stop();

  private:
    bool Accepting() const;

    std::string host_;
    int port_;
    std::string home_;
    std::string user_;
    std::string password_;
    std::mutex mutex_;
    pid_t pid_ = -1;
};

}  // namespace lmn::dev
