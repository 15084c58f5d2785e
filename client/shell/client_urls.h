// Addresses of the game server's pages and lobby requests, all below the base URL.
#pragma once

#include <string>
#include <string_view>

#include "settings.h"

namespace lmn::shell {

// The client page: base + "index.php?type=client&path=" + path + "&ip=" + ip, then the stored
// name and password when auto login is on, "&refresh=1" when asked, and "&binip2outip=" + digit.
// Nothing is escaped.
std::string ClientPageUrl(const std::string& baseUrl, const std::string& path, const std::string& localIp,
                          const CConfig& config, bool refresh);

// base + "client_process/process.php?type=[" + operation + "]" + rest.
std::string LobbyUrl(const std::string& baseUrl, std::string_view operation, std::string_view rest = {});

// base + "about.php?version=4.62&path=" + path.
std::string AboutPageUrl(const std::string& baseUrl, const std::string& path);

// "4.62": the version with two decimals.
std::string VersionText();

// The program folder as the pages want it: forward slashes.
std::string ForwardSlashes(std::string path);

}  // namespace lmn::shell
