// Polling helpers for tests that watch real processes and servers.
#pragma once

#include <functional>

namespace lmn::test {

// Polls done every 50 ms until it holds or timeoutMs have passed; returns its last answer.
bool WaitUntil(const std::function<bool()>& done, int timeoutMs);

}  // namespace lmn::test
