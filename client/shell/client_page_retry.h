// Asking for the client page again after its load failed (the game's web server was down or
// unreachable): the first retry 10 s later, each further one waiting twice as long up to
// 160 s, so a long outage costs one request every few minutes. A load of the client page that
// succeeds starts the next outage from 10 s again. Loads of other pages do not count.
#pragma once

#include <string_view>

namespace lmn::shell {

inline constexpr int kClientPageRetryFirstMs = 10000;
inline constexpr int kClientPageRetryLongestMs = 160000;

class ClientPageRetry {
  public:
    // A main-frame load ended. Returns the delay after which to run StartClientPage again,
    // or 0 when nothing is to be done.
    int OnLoadFinished(std::string_view url, bool failed);

  private:
    int nextDelayMs_ = kClientPageRetryFirstMs;
};

}  // namespace lmn::shell
