// The client's blocking requests to the game's web server, and the one look-up of this
// machine's address. Called on the window thread and on the lobby worker threads, so an
// implementation must be safe to call from several threads at once.
#pragma once

#include <string>

namespace lmn::shell {

class ServerAccess {
  public:
    virtual ~ServerAccess() = default;
    // The reply body; empty text when the server cannot be reached.
    virtual std::string FetchText(const std::string& url) = 0;
    // Stores the answer at localPath; false (and localPath untouched) on any failure.
    virtual bool DownloadFile(const std::string& url, const std::string& localPath) = 0;
    // The first address of this machine's host name as dotted text; empty when the look-up fails.
    virtual std::string LocalAddress() = 0;
};

// The real thing: libcurl requests, downloads through programDir + "download.txt".
class HttpServerAccess : public ServerAccess {
  public:
    explicit HttpServerAccess(std::string programDir) : programDir_(std::move(programDir)) {}
    std::string FetchText(const std::string& url) override;
    bool DownloadFile(const std::string& url, const std::string& localPath) override;
    std::string LocalAddress() override;

  private:
    std::string programDir_;
};

}  // namespace lmn::shell
