// How long the hand-written manifest request may wait: for the connection, and for the next
// byte once connected. Past either bound the request fails.
#pragma once

#include <chrono>

namespace lmn::updater {

struct SocketBounds {
    std::chrono::milliseconds connect{15000};
    std::chrono::milliseconds idle{30000};
};

}  // namespace lmn::updater
