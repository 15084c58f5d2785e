// The server-address refresh loop, started by the first run of StartClientPage on a worker thread.
// Later runs keep the one loop: the lobby sees one poll per interval, and loops do not pile up
// over a long session.
// It waits 1 s plus the refresh interval, asks the lobby for the room server's address and
// applies the reply, for the life of the process. Stopping it (when the client ends) wakes the
// wait at once.
#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <list>
#include <mutex>
#include <thread>

#include "lobby_shared.h"
#include "server_access.h"

namespace lmn::shell {

// One round of the loop after its wait: fetch [get_srv_ip] below the current base URL and apply it.
void PollServerAddressOnce(ServerAccess& server, LobbyShared& lobby);

// Waits the given time on the loop's thread; false when the wait ended because the loop is
// being stopped.
using PollWait = std::function<bool(std::stop_token, std::chrono::milliseconds)>;

class AddressPollLoops {
  public:
    // wait: how the loop sleeps between polls; empty for the real clock.
    AddressPollLoops(ServerAccess& server, LobbyShared& lobby, PollWait wait = {})
        : server_(server), lobby_(lobby), wait_(std::move(wait)) {}
    ~AddressPollLoops() { StopAll(); }
    AddressPollLoops(const AddressPollLoops&) = delete;
    AddressPollLoops& operator=(const AddressPollLoops&) = delete;

    // Starts the loop unless one is running.
    void StartOne();
    void StopAll();
    size_t Count() const { return threads_.size(); }

  private:
    void Run(std::stop_token stop);
    bool WaitOnClock(std::stop_token stop, std::chrono::milliseconds time);

    ServerAccess& server_;
    LobbyShared& lobby_;
    PollWait wait_;
    std::mutex waitMutex_;
    std::condition_variable_any wake_;
    std::list<std::jthread> threads_;
};

}  // namespace lmn::shell
