#include "page_text_queue.h"

namespace lmn::shell {

void PageTextQueue::Pump(bool pageReady, const std::function<void(const std::string&)>& deliver) {
    if (!pageReady || busy_) return;
    busy_ = true;
    while (!texts_.empty()) {
        std::string text = std::move(texts_.front());
        texts_.pop_front();
        deliver(text);
    }
    busy_ = false;
}

}  // namespace lmn::shell
