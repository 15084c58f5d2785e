#include "request_target.h"

namespace lmn::updater {

namespace {

// A decimal port 1-65535, or 0 when the text is not one.
int ReadPort(std::string_view text) {
    if (text.empty() || text.size() > 5) return 0;
    int port = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return 0;
        port = port * 10 + (c - '0');
    }
    return port <= 65535 ? port : 0;
}

}  // namespace

bool ParseRequestTarget(std::string_view url, int defaultPort, RequestTarget& target) {
    size_t scheme = url.find("://");
    if (scheme == std::string_view::npos) return false;
    std::string_view rest = url.substr(scheme + 3);
    size_t slash = rest.find('/');
    if (slash == std::string_view::npos) return false;
    std::string_view host = rest.substr(0, slash);
    target.port = defaultPort;
    size_t colon = host.rfind(':');
    if (colon != std::string_view::npos) {
        int port = ReadPort(host.substr(colon + 1));
        if (port > 0) {
            target.port = port;
            host = host.substr(0, colon);
        }
    }
    target.host = std::string(host);
    return true;
}

}  // namespace lmn::updater
