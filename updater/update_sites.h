// The two update-address services that tell the updater its update server.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace lmn::updater {

inline constexpr const char* kUpdateAddressPath = "/game/zrk/get_update_url.php";

// The service URLs on the two fixed hosts, or on the hosts named by hostsOverride: two
// "host[:port]" entries separated by white space (one entry serves as both). An override
// without any entry is ignored.
std::array<std::string, 2> UpdateAddressUrls(std::string_view hostsOverride);

// The same, with the override taken from the environment variable LMN_UPDATE_HOSTS.
std::array<std::string, 2> UpdateAddressUrlsFromEnvironment();

}  // namespace lmn::updater
