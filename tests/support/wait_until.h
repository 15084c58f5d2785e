// Polling helpers for tests that watch real processes and servers.
#pragma once

#include <functional>
#include <string>

namespace lmn::test {

// Polls done every 50 ms until it holds or timeoutMs have passed; returns its last answer.
bool WaitUntil(const std::function<bool()>& done, int timeoutMs);

// %XX sequences turned into their bytes; everything else as it stands.
std::string PercentDecoded(const std::string& text);

}  // namespace lmn::test
