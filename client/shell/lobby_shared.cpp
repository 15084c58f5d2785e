#include "lobby_shared.h"

#include "arg_value.h"

namespace lmn::shell {

std::string LobbyShared::BaseUrl() const {
    std::lock_guard lock(mutex_);
    return baseUrl_;
}

void LobbyShared::SetBaseUrl(std::string url) {
    std::lock_guard lock(mutex_);
    baseUrl_ = std::move(url);
}

std::string LobbyShared::RoomServerAddress() const {
    std::lock_guard lock(mutex_);
    return roomServerAddress_;
}

int LobbyShared::RefreshIntervalMs() const {
    std::lock_guard lock(mutex_);
    return refreshIntervalMs_;
}

int LobbyShared::ConnectIntervalMs() const {
    std::lock_guard lock(mutex_);
    return connectIntervalMs_;
}

std::string LobbyShared::LocalAddress() const {
    std::lock_guard lock(mutex_);
    return localAddress_;
}

void LobbyShared::SetLocalAddress(std::string address) {
    std::lock_guard lock(mutex_);
    localAddress_ = std::move(address);
}

bool LobbyShared::ApplyServerAddressReply(std::string_view reply) {
    const int interval = GetArgInt(reply, "RequestIpInterval");
    if (interval == 0) return false;
    std::string address = GetArgValue(reply, "IP");
    const int connect = GetArgInt(reply, "ConnectSrvInterval");
    std::lock_guard lock(mutex_);
    roomServerAddress_ = std::move(address);
    refreshIntervalMs_ = interval * 1000;
    connectIntervalMs_ = connect * 1000;
    return true;
}

}  // namespace lmn::shell
