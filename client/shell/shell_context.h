// The main window's state and the platform it runs on, shared by the command handlers.
// Only the window thread touches it; the lobby values worker threads read live in LobbyShared.
#pragma once

#include <string>

#include "fixed_values.h"
#include "lobby_shared.h"
#include "page_text_queue.h"
#include "room_link.h"
#include "server_access.h"
#include "settings.h"
#include "shell_host.h"
#include "sound_output.h"
#include "window_closer.h"

namespace lmn::shell {

struct ShellDeps {
    ShellHost& host;
    ServerAccess& server;
    std::string programDir;  // ends with '/'
    std::string traceFile{kTraceFile};
    RoomLink* roomLink = nullptr;                 // the transport; none: nothing is sent
    SoundOutput* sound = nullptr;                 // none: the client is silent
    companions::WindowCloser* windows = nullptr;  // none: running card makers are not found
};

struct RoomState {
    int kind = 0;  // 0: no room
    int serverId = 0;
    std::string serverName;
    std::string baseUrl;
    ConnectionId connection = kNoConnection;
};

struct DialogState {
    CConfig config;
    int userId = 0;
    std::string userName;
    std::string outsideIp;
    RoomState room;
    int pageReady = 0;
    PageTextQueue pageTexts;
    int introSkippable = 1;
    bool clientPageShown = false;  // StartClientPage has run once
};

class ShellContext {
  public:
    explicit ShellContext(ShellDeps deps) : deps_(std::move(deps)) {}

    ShellHost& host() { return deps_.host; }
    ServerAccess& server() { return deps_.server; }
    LobbyShared& lobby() { return lobby_; }
    DialogState& state() { return state_; }
    const ShellDeps& deps() const { return deps_; }

    std::string ConfigPath() const;
    // The program folder with forward slashes, as pages and lobby requests carry it.
    std::string PagePath() const;
    std::string BaseUrl() const { return lobby_.BaseUrl(); }

    // Hands text to the page's client_cmd.
    void CallPageScript(const std::string& text);
    // Queues a text for the battle or watch page; while the page is ready it is delivered on
    // the next turn of the event loop.
    void QueuePageText(std::string text);
    // The page-ready flag; setting it lets the waiting texts flow.
    void SetPageReady(bool ready);
    void StartMusic();
    void StopMusic();
    // Closes the room connection (if any) and forgets the room kind.
    void LeaveRoom();

  private:
    ShellDeps deps_;
    LobbyShared lobby_;
    DialogState state_;
};

}  // namespace lmn::shell
