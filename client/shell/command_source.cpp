#include "command_source.h"

#include "text.h"

namespace lmn::shell {

namespace {

// The program's own pages are local files (the introduction pages and the rest of the folder).
bool IsLocalPage(std::string_view url) {
    return AsciiLower(std::string(url.substr(0, 5))) == "file:";
}

}  // namespace

std::string UrlHost(std::string_view url) {
    const size_t scheme = url.find("://");
    if (scheme == std::string_view::npos) return {};
    std::string_view rest = url.substr(scheme + 3);
    rest = rest.substr(0, rest.find_first_of("/?#\\"));
    if (const size_t at = rest.rfind('@'); at != std::string_view::npos) rest = rest.substr(at + 1);
    if (!rest.empty() && rest.front() == '[') {
        rest = rest.substr(0, rest.find(']') + 1);
    } else {
        rest = rest.substr(0, rest.find(':'));
    }
    return AsciiLower(std::string(rest));
}

bool CommandSourceAllowed(std::string_view sourceUrl, std::string_view baseUrl,
                          std::string_view roomBaseUrl) {
    if (IsLocalPage(sourceUrl)) return true;
    const std::string host = UrlHost(sourceUrl);
    if (host.empty()) return false;
    return host == UrlHost(baseUrl) || host == UrlHost(roomBaseUrl);
}

}  // namespace lmn::shell
