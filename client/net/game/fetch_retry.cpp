#include "fetch_retry.h"

namespace lmn::game {

std::string FetchWithRetries(const FetchFn& fetch, const std::string& url) {
    for (int attempt = 0; attempt < 3; ++attempt) {
        std::string reply = fetch(url);
        if (reply.find("ok") != std::string::npos) return reply;
    }
    return kFetchFailed;
}

}  // namespace lmn::game
