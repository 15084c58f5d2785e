// A host for the client core with a virtual clock: timers fire when the test advances time,
// message boxes and menus answer from a script, and everything the core asks for is recorded.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "package_writer.h"
#include "room_link.h"
#include "server_access.h"
#include "shell_host.h"
#include "sound_output.h"

namespace lmn::shell::test {

// One ordered record of what the core did, shared by the fakes below ("navigate ...",
// "script ...", "fetch ...", ...), so tests can check the order across them.
using EventLog = std::vector<std::string>;

class FakeHost : public ShellHost {
  public:
    explicit FakeHost(EventLog& log) : log_(log) {}

    // The handler timers fire into (the core under test).
    std::function<void(int id)> onTimer;

    void Advance(long ms);
    long Now() const { return now_; }
    bool TimerActive(int id) const { return timers_.count(id) != 0; }

    // Script for the next context menus: each entry is the command chosen (0 = none); the
    // optional action runs while the menu is open.
    std::deque<int> menuAnswers;
    std::function<void()> whileMenuOpen;
    std::deque<MessageAnswer> messageAnswers;
    // Runs once, while the next message box is open (its nested event loop).
    std::function<void()> whileMessageOpen;
    // Message boxes open right now, and the most ever open at once.
    int messagesOpen = 0;
    int mostMessagesOpen = 0;

    std::vector<std::string> navigations;
    std::vector<std::string> scripts;     // UTF-8 scripts as given
    std::vector<std::string> messages;    // GBK texts
    std::vector<std::string> menusShown;  // menu names
    std::vector<std::string> openedInBrowser;
    std::vector<std::string> aboutPages;
    std::vector<std::string> startedPrograms;
    bool visible = true;
    bool trayShown = false;
    int quitCode = -1;
    int pauses = 0;
    // When set, work handed to RunInBackground waits until RunBackground.
    bool holdBackground = false;
    std::vector<std::pair<std::function<void()>, std::function<void()>>> background;
    // Runs the held work, oldest first, each with its done.
    void RunBackground();
    std::string currentUrl;

    void Navigate(const std::string& url) override;
    std::string CurrentUrl() const override { return currentUrl; }
    void RunPageScript(const std::string& utf8Script) override;
    MessageAnswer ShowMessage(const std::string& text, const std::string& caption,
                              MessageButtons buttons) override;
    int ShowContextMenu(const Menu& menu) override;
    void ShowAboutPage(const std::string& url) override { aboutPages.push_back(url); }
    void StartTimer(int id, int periodMs) override;
    void KillTimer(int id) override { timers_.erase(id); }
    bool IsWindowVisible() const override { return visible; }
    void SetWindowVisible(bool v) override { visible = v; }
    void AddTrayIcon() override { trayShown = true; }
    void RemoveTrayIcon() override { trayShown = false; }
    void FlashCaption() override { log_.push_back("flash"); }
    // Recorded as the path followed by each argument after a blank.
    bool StartProgram(const std::string& path, const std::vector<std::string>& args) override;
    void OpenInUserBrowser(const std::string& url) override { openedInBrowser.push_back(url); }
    void Quit(int exitCode) override { quitCode = exitCode; }
    void PostToWindowThread(std::function<void()> task) override { task(); }
    void Pause(int) override { ++pauses; }
    void RunInBackground(std::function<void()> work, std::function<void()> done) override;

  private:
    struct Timer {
        long due;
        int period;
    };
    EventLog& log_;
    long now_ = 0;
    std::map<int, Timer> timers_;
};

// Server replies by the text a URL contains; every request is logged. Thread-safe.
class FakeServer : public ServerAccess {
  public:
    explicit FakeServer(EventLog& log) : log_(log) {}

    void Reply(std::string urlPart, std::string body);
    std::vector<std::string> Fetched() const;

    std::string FetchText(const std::string& url) override;
    bool DownloadFile(const std::string& url, const std::string&) override;
    std::string LocalAddress() override { return "192.168.7.20"; }

  private:
    EventLog& log_;
    mutable std::mutex mutex_;
    std::vector<std::pair<std::string, std::string>> replies_;
    std::vector<std::string> fetched_;
};

class FakeSound : public SoundOutput {
  public:
    explicit FakeSound(EventLog& log) : log_(log) {}
    void StartMusic() override { log_.push_back("music start"); }
    void StopMusic() override { log_.push_back("music stop"); }
    void PlayVoice(const std::string& name) override { log_.push_back("voice " + name); }
    void PlayEffect(const std::string& name) override { log_.push_back("effect " + name); }

  private:
    EventLog& log_;
};

// Connections get handles 1, 2, ...; every package sent is kept, sealed, with its connection.
class FakeRoomLink : public RoomLink {
  public:
    explicit FakeRoomLink(EventLog& log) : log_(log) {}
    ConnectionId Connect(const std::string& address, int port) override;
    void Close(ConnectionId connection) override;
    bool Send(ConnectionId connection, net::PackageWriter& package) override;

    struct Sent {
        ConnectionId connection;
        std::vector<std::uint8_t> bytes;
    };
    std::vector<Sent> sent;

  private:
    EventLog& log_;
    ConnectionId next_ = 1;
};

// The text a client_cmd('...') script hands to the page, unescaped back to GBK.
std::string PageTextOf(const std::string& script);

}  // namespace lmn::shell::test
