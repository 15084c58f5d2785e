// The matches the room server relays: the two players, who moves first, the battle actions
// so far (for watchers joining late) and the watchers' connections.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "net_event.h"

namespace lmn::dev {

struct Match {
    std::uint64_t id = 0;
    std::array<std::int32_t, 2> players{};
    std::int32_t roomId = 0;
    std::int32_t firstPlayer = 0;
    std::array<bool, 2> over{};  // the player has sent its game-over
    std::vector<std::string> actions;
    std::size_t actionBytes = 0;
    std::set<net::ConnectionHandle> watchers;

    std::int32_t Opponent(std::int32_t userId) const {
        return players[0] == userId ? players[1] : players[0];
    }
    int Seat(std::int32_t userId) const { return players[0] == userId ? 0 : 1; }
};

class MatchTable {
  public:
    // Actions kept per match for late watchers; later actions still reach attached watchers.
    static constexpr std::size_t kMaxKeptActionBytes = 8 * 1024 * 1024;

    Match& Start(std::int32_t first, std::int32_t second, std::int32_t roomId);
    void End(std::uint64_t matchId);

    Match* OfUser(std::int32_t userId);
    // The match between the two players, in either order.
    Match* Between(std::int32_t a, std::int32_t b);
    Match* Watched(net::ConnectionHandle watcher);
    std::vector<const Match*> InRoom(std::int32_t roomId) const;

    // Keeps the action when there is room; returns whether it was kept.
    static bool Record(Match& match, const std::string& action);

  private:
    std::map<std::uint64_t, Match> matches_;  // by id, so references stay valid
    std::uint64_t nextId_ = 1;
};

}  // namespace lmn::dev
