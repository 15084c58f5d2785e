// The lobby values that worker threads (address poll, presence report) and the window thread
// both use. Every access takes the lock; readers get the latest whole value.
#pragma once

#include <mutex>
#include <string>
#include <string_view>

#include "fixed_values.h"

namespace lmn::shell {

class LobbyShared {
  public:
    std::string BaseUrl() const;
    void SetBaseUrl(std::string url);
    std::string RoomServerAddress() const;
    int RefreshIntervalMs() const;
    int ConnectIntervalMs() const;
    std::string LocalAddress() const;
    void SetLocalAddress(std::string address);

    // Applies a [get_srv_ip] reply: when RequestIpInterval is not 0, IP becomes the room server
    // address and the intervals (seconds) are taken in milliseconds. Returns whether it applied.
    bool ApplyServerAddressReply(std::string_view reply);

  private:
    mutable std::mutex mutex_;
    std::string baseUrl_{kDefaultBaseUrl};
    std::string roomServerAddress_{kInitialRoomServer};
    int refreshIntervalMs_ = 600000;
    int connectIntervalMs_ = 300000;
    std::string localAddress_;
};

}  // namespace lmn::shell
