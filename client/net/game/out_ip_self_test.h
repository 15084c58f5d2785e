// The outside-address self-test: can this machine be reached on its outside address at the
// listening port? A plain blocking connect from 0.0.0.0 on any port.
#pragma once

#include <string>

namespace lmn::game {

bool CanReach(const std::string& address, int port);

// The page line for the result.
std::string OutIpTestLine(bool reached);

}  // namespace lmn::game
