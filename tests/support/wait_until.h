// Polling helpers for tests that watch real processes and servers.
#pragma once

#include <chrono>
#include <functional>

namespace lmn::test {

// Polls done every 50 ms until it holds or timeoutMs have passed; returns its last answer.
bool WaitUntil(const std::function<bool()>& done, int timeoutMs);

// Runs work on its own thread; false when it has not ended within bound. A hang check, not a
// measure of speed: the bounds under test are far shorter. A work that hangs is left running.
bool EndsWithin(std::chrono::seconds bound, std::function<void()> work);

}  // namespace lmn::test
