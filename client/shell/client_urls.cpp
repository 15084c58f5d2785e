#include "client_urls.h"

#include <cstdio>

#include "fixed_values.h"

namespace lmn::shell {

std::string ClientPageUrl(const std::string& baseUrl, const std::string& path, const std::string& localIp,
                          const CConfig& config, bool refresh) {
    std::string url = baseUrl + "index.php?type=client&path=" + path + "&ip=" + localIp;
    if (config.bAutoLogin) url += "&username=" + config.strUserName + "&password=" + config.strPassword;
    if (refresh) url += "&refresh=1";
    url += "&binip2outip=" + std::to_string(config.bOutIP);
    return url;
}

std::string LobbyUrl(const std::string& baseUrl, std::string_view operation, std::string_view rest) {
    std::string url = baseUrl + "client_process/process.php?type=[";
    url += operation;
    url += ']';
    url += rest;
    return url;
}

std::string AboutPageUrl(const std::string& baseUrl, const std::string& path) {
    return baseUrl + "about.php?version=" + VersionText() + "&path=" + path;
}

std::string VersionText() {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%0.2f", kVersion);
    return buf;
}

std::string ForwardSlashes(std::string path) {
    for (char& c : path) {
        if (c == '\\') c = '/';
    }
    return path;
}

}  // namespace lmn::shell
