// Fetch with retries: up to three tries; the first reply containing "ok" wins, else "fail".
#pragma once

#include <functional>
#include <string>

namespace lmn::game {

inline constexpr const char* kFetchFailed = "fail";

using FetchFn = std::function<std::string(const std::string& url)>;

std::string FetchWithRetries(const FetchFn& fetch, const std::string& url);

}  // namespace lmn::game
