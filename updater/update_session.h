// The state one update run shares between its steps: the install folder, the update server's
// base URL, and the two ways every run ends (start the game, or the failure prompt).
#pragma once

#include <atomic>
#include <string>
#include <string_view>

#include "socket_bounds.h"
#include "text.h"
#include "update_host.h"

namespace lmn::updater {

class UpdateSession {
  public:
    // folder: the updater's own folder, ending with '/'.
    UpdateSession(UpdateHost& host, std::string folder);

    UpdateHost& host() { return host_; }
    const std::string& folder() const { return folder_; }
    const std::string& baseUrl() const { return baseUrl_; }
    void setBaseUrl(std::string url) { baseUrl_ = std::move(url); }
    const SocketBounds& manifestBounds() const { return manifestBounds_; }

    // name unchanged when it holds ':' (absolute), else taken in the updater's folder.
    std::string FullPath(std::string_view name) const;
    void Status(std::string_view utf8) { host_.SetStatus(Utf8ToGbk(utf8)); }

    // Starts "LMN_KX.exe go" from the updater's folder, not waited for, and ends the process.
    // Whichever thread comes first ends the run; a later caller only ends the process.
    [[noreturn]] void StartGameAndExit();
    // Asks whether to enter the game anyway; Yes starts it. Ends the process either way.
    [[noreturn]] void UpdateFailed(const std::string& reason);

  private:
    bool ClaimEnding() { return !ending_.exchange(true); }

    UpdateHost& host_;
    std::string folder_;
    std::string baseUrl_;
    SocketBounds manifestBounds_;
    std::atomic<bool> ending_{false};
};

}  // namespace lmn::updater
