// The state of one player's match, shared by the set-up, the relay and the direct links: who
// the opponent is, how the two clients reach each other, and where the game stands.
#pragma once

#include <string>

#include "game_env.h"

namespace lmn::game {

enum class LinkState { Idle = 1, HelloSent = 3, Linked = 4 };

struct MatchState {
    ConnectionHandle peer = 0;
    LinkState link = LinkState::Idle;
    int opponentId = 0;
    int first = 0;
    std::string seeds1;
    std::string seeds2;
    bool relayed = false;
    bool inGame = false;
    bool gameOver = false;
    bool gameOverGrace = false;  // the opponent ended this game; waiting for the own page to end it
    bool ownGameLoaded = false;
    bool opponentLoaded = false;
};

}  // namespace lmn::game
