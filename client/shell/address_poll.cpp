#include "address_poll.h"

#include <chrono>

#include "client_urls.h"

namespace lmn::shell {

void PollServerAddressOnce(ServerAccess& server, LobbyShared& lobby) {
    const std::string reply = server.FetchText(LobbyUrl(lobby.BaseUrl(), "get_srv_ip"));
    lobby.ApplyServerAddressReply(reply);
}

void AddressPollLoops::StartOne() {
    if (!threads_.empty()) return;
    threads_.emplace_back([this](std::stop_token stop) { Run(stop); });
}

void AddressPollLoops::StopAll() {
    for (auto& thread : threads_) thread.request_stop();
    wake_.notify_all();
    threads_.clear();  // joins
}

bool AddressPollLoops::WaitOnClock(std::stop_token stop, std::chrono::milliseconds time) {
    std::unique_lock lock(waitMutex_);
    wake_.wait_for(lock, stop, time, [] { return false; });
    return !stop.stop_requested();
}

void AddressPollLoops::Run(std::stop_token stop) {
    while (!stop.stop_requested()) {
        // The interval is read afresh each round: a reply changes the very next wait.
        const auto time = std::chrono::milliseconds(1000 + lobby_.RefreshIntervalMs());
        const bool waited = wait_ ? wait_(stop, time) : WaitOnClock(stop, time);
        if (!waited || stop.stop_requested()) return;
        PollServerAddressOnce(server_, lobby_);
    }
}

}  // namespace lmn::shell
