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

void AddressPollLoops::Run(std::stop_token stop) {
    while (!stop.stop_requested()) {
        const auto wait = std::chrono::milliseconds(1000 + lobby_.RefreshIntervalMs());
        {
            std::unique_lock lock(waitMutex_);
            wake_.wait_for(lock, stop, wait, [] { return false; });
        }
        if (stop.stop_requested()) return;
        PollServerAddressOnce(server_, lobby_);
    }
}

}  // namespace lmn::shell
