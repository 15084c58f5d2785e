// Where the manifest request goes: the host of an "http://host[:port]/path" URL and its port.
#pragma once

#include <string>
#include <string_view>

namespace lmn::updater {

struct RequestTarget {
    std::string host;
    int port = 80;
};

// The host is the text after the first "://" up to the next "/"; a URL without "://" or
// without a "/" after the host has no target. A port named in the host part ("host:8080")
// is used; otherwise defaultPort.
bool ParseRequestTarget(std::string_view url, int defaultPort, RequestTarget& target);

}  // namespace lmn::updater
