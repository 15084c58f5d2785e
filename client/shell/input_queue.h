// What the main window's handlers take, one at a time and in arrival order: the page's
// commands, the transport's events and the game's one-shot timers. A handler that opens a
// message box or a menu runs a nested event loop; whatever arrives meanwhile waits until that
// handler has returned, so it never overtakes what was already waiting, and handlers never nest.
#pragma once

#include <cstddef>
#include <deque>
#include <functional>
#include <string>
#include <variant>

#include "net_event.h"

namespace lmn::shell {

// A command text, the command host already removed.
struct PageCommand {
    std::string text;
};

// A one-shot timer of the game logic that has expired.
struct DueTimer {
    int id = 0;
};

using Input = std::variant<PageCommand, net::NetEvent, DueTimer>;

class InputQueue {
  public:
    using Handler = std::function<void(Input& input)>;

    void Push(Input input) { inputs_.push_back(std::move(input)); }
    bool Empty() const { return inputs_.empty(); }
    std::size_t Size() const { return inputs_.size(); }

    // Hands every waiting input to handle, oldest first, including those that arrive while it
    // runs. A call made while a handler runs returns false at once and handles nothing.
    bool Drain(const Handler& handle);

  private:
    std::deque<Input> inputs_;
    bool draining_ = false;
};

}  // namespace lmn::shell
