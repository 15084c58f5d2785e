// The client's blocking requests to the game's web server, and the one look-up of this
// machine's address. Called on the window thread and on the lobby worker threads, so an
// implementation must be safe to call from several threads at once.
#pragma once

#include <chrono>
#include <string>

namespace lmn::shell {

class ServerAccess {
  public:
    virtual ~ServerAccess() = default;
    // The reply body; empty text when the server cannot be reached.
    virtual std::string FetchText(const std::string& url) = 0;
    // Stores the answer at localPath; false (and localPath untouched) on any failure.
    virtual bool DownloadFile(const std::string& url, const std::string& localPath) = 0;
    // The program's last request as it ends: it may wait only a moment for the server, and
    // afterwards every request still under way (on the lobby worker threads) ends as failed.
    virtual void FetchAndEndAll(const std::string& url) { FetchText(url); }
    // The first address of this machine's host name as dotted text; empty when the look-up fails.
    virtual std::string LocalAddress() = 0;
};

// The real thing: libcurl requests, downloads through programDir + "download.txt".
// How long the last request may take: quitting never waits longer for the server.
inline constexpr std::chrono::milliseconds kLastRequestWithin{1500};

class HttpServerAccess : public ServerAccess {
  public:
    explicit HttpServerAccess(std::string programDir) : programDir_(std::move(programDir)) {}
    std::string FetchText(const std::string& url) override;
    bool DownloadFile(const std::string& url, const std::string& localPath) override;
    void FetchAndEndAll(const std::string& url) override;
    std::string LocalAddress() override;

  private:
    std::string programDir_;
};

}  // namespace lmn::shell
