// Players waiting in a room for the room server to find them an opponent. Two requests pair
// when they are in the same room and each asks for anyone (opponent 0) or for the other.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace lmn::dev {

class PairingQueue {
  public:
    // Pairs the request with the longest-waiting compatible one, which leaves the queue and is
    // returned; otherwise the request waits (replacing an earlier one of the same user).
    std::optional<std::int32_t> Offer(std::int32_t userId, std::int32_t roomId, std::int32_t wantedOpponent);
    // True when the user was waiting.
    bool Cancel(std::int32_t userId);

  private:
    struct Request {
        std::int32_t userId;
        std::int32_t roomId;
        std::int32_t wantedOpponent;
    };
    std::vector<Request> waiting_;
};

}  // namespace lmn::dev
