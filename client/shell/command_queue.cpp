#include "command_queue.h"

#include "fixed_values.h"
#include "text.h"

namespace lmn::shell {

std::string StripCommandHost(std::string_view url) {
    std::string prefix = "http://";
    prefix += kCommandHost;
    prefix += '/';
    return ReplaceAll(std::string(url), prefix, "");
}

std::string CommandQueue::PopCommand() {
    std::string url = std::move(urls_.front());
    urls_.pop_front();
    return StripCommandHost(url);
}

}  // namespace lmn::shell
