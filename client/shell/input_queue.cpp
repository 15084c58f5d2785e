#include "input_queue.h"

namespace lmn::shell {

bool InputQueue::Drain(const Handler& handle) {
    if (draining_) return false;
    struct Running {
        bool& flag;
        explicit Running(bool& f) : flag(f) { flag = true; }
        ~Running() { flag = false; }
    } running(draining_);
    while (!inputs_.empty()) {
        Input input = std::move(inputs_.front());
        inputs_.pop_front();
        handle(input);
    }
    return true;
}

}  // namespace lmn::shell
