#include "watch_state.h"

namespace lmn::game {

std::string EscapeWatchState(std::string_view state) {
    std::string out;
    out.reserve(state.size() + 16);
    for (char c : state) {
        if (c == '=') {
            out += "[deng]";
        } else if (c == '&') {
            out += "[and]";
        } else {
            out += c;
        }
    }
    return out;
}

std::string WatchStateLine(int firstPlayerId, std::string_view state) {
    return "type=[watch_curstate]&firstID=" + std::to_string(firstPlayerId) +
           "&GameDeal=" + EscapeWatchState(state);
}

}  // namespace lmn::game
