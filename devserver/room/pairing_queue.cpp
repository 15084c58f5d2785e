#include "pairing_queue.h"

#include <algorithm>

namespace lmn::dev {

std::optional<std::int32_t> PairingQueue::Offer(std::int32_t userId, std::int32_t roomId,
                                                std::int32_t wantedOpponent) {
    Cancel(userId);
    auto fits = [&](const Request& r) {
        return r.roomId == roomId && (r.wantedOpponent == 0 || r.wantedOpponent == userId) &&
               (wantedOpponent == 0 || wantedOpponent == r.userId);
    };
    auto it = std::find_if(waiting_.begin(), waiting_.end(), fits);
    if (it != waiting_.end()) {
        std::int32_t partner = it->userId;
        waiting_.erase(it);
        return partner;
    }
    waiting_.push_back({userId, roomId, wantedOpponent});
    return std::nullopt;
}

bool PairingQueue::Cancel(std::int32_t userId) {
    auto it =
        std::find_if(waiting_.begin(), waiting_.end(), [&](const Request& r) { return r.userId == userId; });
    if (it == waiting_.end()) return false;
    waiting_.erase(it);
    return true;
}

}  // namespace lmn::dev
