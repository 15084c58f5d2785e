// A watched match's state as the watch page takes it: one query-form line per state text.
#pragma once

#include <string>
#include <string_view>

namespace lmn::game {

// "=" becomes "[deng]" and "&" becomes "[and]", so the text travels as one value.
std::string EscapeWatchState(std::string_view state);

// "type=[watch_curstate]&firstID=<id>&GameDeal=<escaped state>".
std::string WatchStateLine(int firstPlayerId, std::string_view state);

}  // namespace lmn::game
