// Texts waiting for the battle or watch page. They are delivered in arrival order, and only
// while the page has reported that it is ready; before that they wait, none is dropped.
#pragma once

#include <deque>
#include <functional>
#include <string>

namespace lmn::shell {

class PageTextQueue {
  public:
    void Push(std::string text) { texts_.push_back(std::move(text)); }
    size_t Size() const { return texts_.size(); }
    bool Empty() const { return texts_.empty(); }

    // Timer 9: when ready, hands every waiting text to deliver, oldest first.
    // Guarded against re-entry: a delivery that pumps again returns at once.
    void Pump(bool pageReady, const std::function<void(const std::string&)>& deliver);

  private:
    std::deque<std::string> texts_;
    bool busy_ = false;
};

}  // namespace lmn::shell
