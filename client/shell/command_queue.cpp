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

}  // namespace lmn::shell
