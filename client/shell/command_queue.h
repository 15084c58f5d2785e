// Command texts caught from the page's navigations, waiting for the 10 ms drain.
#pragma once

#include <deque>
#include <string>
#include <string_view>

namespace lmn::shell {

// Removes every occurrence of "http://" + command host + "/" from a caught URL.
std::string StripCommandHost(std::string_view url);

class CommandQueue {
  public:
    void Push(std::string url) { urls_.push_back(std::move(url)); }
    bool Empty() const { return urls_.empty(); }
    size_t Size() const { return urls_.size(); }
    // Removes the oldest entry and returns it as a command text (command host stripped).
    std::string PopCommand();

  private:
    std::deque<std::string> urls_;
};

}  // namespace lmn::shell
