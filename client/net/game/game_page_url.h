// The battle page's address: base URL + "gameclient_fc.php?first=" and the game's parameters.
#pragma once

#include <string>
#include <string_view>

namespace lmn::game {

struct GamePageParams {
    int first = 0;
    bool againstComputer = false;
    int roomId = 0;
    int ownId = 0;
    int opponentId = 0;
    std::string seeds1;
    std::string seeds2;
};

// A human game always carries seed1=100 and seed2=200 (the exchanged lists stay with the
// client); a game against the computer carries its two lists and "&AI=1".
std::string GamePageUrl(std::string_view baseUrl, const GamePageParams& params);

}  // namespace lmn::game
