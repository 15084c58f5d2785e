// Settings and log of the room server, from the devserver command line.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace lmn::dev {

struct RoomOptions {
    // --ai-pairing=1: a player asking for a match while nobody else waits in the room gets a
    // game against the computer player --ai-player-id.
    bool aiPairing = false;
    std::int32_t aiPlayerId = 999;
};

using RoomLog = std::function<void(const std::string& line)>;

}  // namespace lmn::dev
