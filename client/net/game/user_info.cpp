#include "user_info.h"

#include "text.h"

namespace lmn::game {

std::string GetSemicolonValue(std::string_view text, std::string_view key) {
    const std::string lowered = GbkToLower(text);
    const std::string needle = GbkToLower(key) + "=";
    const size_t at = lowered.find(needle);
    if (at == std::string::npos) return {};
    const size_t start = at + needle.size();
    const size_t end = lowered.find(';', start);
    if (end == std::string::npos) return {};
    return lowered.substr(start, end - start);
}

UserInfo ParseUserInfo(std::string_view commandText) {
    constexpr std::string_view kPrefix = "userinfo=";
    std::string rest(commandText);
    const size_t at = GbkToLower(rest).find(kPrefix);
    if (at != std::string::npos) rest.erase(0, at + kPrefix.size());
    rest = ReplaceAll(std::move(rest), "[marlowen]", "=");
    UserInfo info;
    info.userId = AtoI(GetSemicolonValue(rest, "userid"));
    info.userName = GetSemicolonValue(rest, "username");
    return info;
}

}  // namespace lmn::game
