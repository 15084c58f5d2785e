#include "client_page_retry.h"

#include <algorithm>

namespace lmn::shell {

int ClientPageRetry::OnLoadFinished(std::string_view url, bool failed) {
    if (url.find("index.php?type=client") == std::string_view::npos) return 0;
    if (!failed) {
        nextDelayMs_ = kClientPageRetryFirstMs;
        return 0;
    }
    const int delay = nextDelayMs_;
    nextDelayMs_ = std::min(nextDelayMs_ * 2, kClientPageRetryLongestMs);
    return delay;
}

}  // namespace lmn::shell
