#include "update_sites.h"

#include <cstdlib>
#include <vector>

namespace lmn::updater {

namespace {

constexpr const char* kFirstHost = "update1.lumenfold.example";
constexpr const char* kSecondHost = "update2.lumenfold.example";

std::vector<std::string> Words(std::string_view text) {
    std::vector<std::string> words;
    size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
        size_t start = i;
        while (i < text.size() && text[i] != ' ' && text[i] != '\t') ++i;
        if (i > start) words.emplace_back(text.substr(start, i - start));
    }
    return words;
}

std::string ServiceUrl(const std::string& host) {
    return "http://" + host + kUpdateAddressPath;
}

}  // namespace

std::array<std::string, 2> UpdateAddressUrls(std::string_view hostsOverride) {
    std::vector<std::string> hosts = Words(hostsOverride);
    if (hosts.empty()) return {ServiceUrl(kFirstHost), ServiceUrl(kSecondHost)};
    return {ServiceUrl(hosts[0]), ServiceUrl(hosts.size() > 1 ? hosts[1] : hosts[0])};
}

std::array<std::string, 2> UpdateAddressUrlsFromEnvironment() {
    const char* hosts = std::getenv("LMN_UPDATE_HOSTS");
    return UpdateAddressUrls(hosts ? hosts : "");
}

}  // namespace lmn::updater
