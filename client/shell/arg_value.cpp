#include "arg_value.h"

#include "text.h"

namespace lmn::shell {

std::string GetArgValue(std::string_view text, std::string_view key) {
    std::string lowered = GbkToLower(text);
    lowered += '&';
    std::string needle = GbkToLower(key);
    needle += '=';
    size_t at = lowered.find(needle);
    if (at == std::string::npos) return {};
    size_t start = lowered.find('=', at) + 1;
    size_t end = lowered.find('&', start);
    return lowered.substr(start, end - start);
}

int GetArgInt(std::string_view text, std::string_view key) {
    return AtoI(GetArgValue(text, key));
}

}  // namespace lmn::shell
