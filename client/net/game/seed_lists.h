// The random parts of a new game: who moves first and the two seed lists.
#pragma once

#include <cstdint>
#include <random>
#include <string>

namespace lmn::game {

// 30 numbers 0..99 in decimal joined by ";" (no trailing ";").
std::string MakeSeedList(std::minstd_rand& random);

// 1 when the calendar second is even, else 0.
int FirstFlagAt(std::int64_t calendarSeconds);

// The receiver's view of a sender's first flag: 0 becomes 1, anything else 0.
int InvertFirstFlag(int senderFlag);

}  // namespace lmn::game
