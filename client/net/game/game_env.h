// What the lobby, match, relay and watch logic needs from the window that runs it: the page,
// message boxes, the few timers it starts, blocking lobby requests, the player's identity and
// a way to send packages. The game client's main window implements it; tests use a fake.
// Every call happens on the window thread. Texts are GBK.
#pragma once

#include <cstdint>
#include <string>

#include "net_event.h"

namespace lmn::net {
class PackageWriter;
}

namespace lmn::game {

using net::ConnectionHandle;

enum class Buttons { Ok, OkCancel, YesNo };
enum class Answer { Ok, Cancel, Yes, No };

// Who this client is and where it sits, as the page reported it.
struct PlayerContext {
    int userId = 0;
    std::string userName;
    int roomId = 0;
    int serverId = 0;
    std::string serverName;
    std::string roomBaseUrl;
};

// The transport's part: opening, sending to and closing connections.
class PackageLink {
  public:
    virtual ~PackageLink() = default;
    // Starts a connection to address:port; 0 when it cannot even be started.
    virtual ConnectionHandle Connect(const std::string& address, int port) = 0;
    // False when the connection is not up; the package is then dropped.
    virtual bool Send(ConnectionHandle connection, net::PackageWriter& package) = 0;
    virtual void Close(ConnectionHandle connection) = 0;
};

class GameEnv {
  public:
    virtual ~GameEnv() = default;

    // Page
    virtual void CallPage(const std::string& text) = 0;
    virtual void Navigate(const std::string& url) = 0;
    virtual std::string CurrentUrl() const = 0;
    // The page text queue (delivered once the page has reported it is ready).
    virtual void QueuePageText(std::string text) = 0;
    // The own page loaded mark: it lets the page text queue flow.
    virtual void SetPageLoaded(bool loaded) = 0;

    // Window
    virtual Answer Ask(const std::string& text, const std::string& caption, Buttons buttons) = 0;
    virtual void FlashCaption() = 0;

    // Timers (one-shot): the delayed close of the peer after a game, the delayed opponent
    // request, and the 1 ms check for that request's answer (periodic until stopped).
    virtual void StartPeerCloseDelay() = 0;
    virtual void StartOpponentRequestDelay() = 0;
    virtual void StartOpponentAnswerCheck() = 0;
    virtual void StopOpponentAnswerCheck() = 0;
    // The pause in which the page may still report the end of a game the opponent has ended.
    virtual void StartGameOverGrace() = 0;

    // Lobby
    virtual std::string BaseUrl() const = 0;
    // Safe to call from any thread (the opponent request runs on a worker thread).
    virtual std::string Fetch(const std::string& url) = 0;

    // Clocks: milliseconds since the system started, and calendar seconds.
    virtual std::uint32_t TickMs() const = 0;
    virtual std::int64_t CalendarSeconds() const = 0;

    virtual const PlayerContext& Player() const = 0;
};

}  // namespace lmn::game
