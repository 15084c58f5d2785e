#include "server_access.h"

#include <arpa/inet.h>
#include <netdb.h>
#include <unistd.h>

#include "http.h"
#include "paths.h"

namespace lmn::shell {

std::string HttpServerAccess::FetchText(const std::string& url) {
    return lmn::FetchText(url);
}

bool HttpServerAccess::DownloadFile(const std::string& url, const std::string& localPath) {
    EnsureDirectoriesClient(localPath);
    return lmn::DownloadFile(url, localPath, FullPath(programDir_, "download.txt"));
}

void HttpServerAccess::FetchAndEndAll(const std::string& url) {
    lmn::FetchTextWithin(url, kLastRequestWithin);
    lmn::CancelAllHttpRequests();
}

std::string HttpServerAccess::LocalAddress() {
    char name[256] = {};
    if (gethostname(name, sizeof name - 1) != 0) return {};
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* list = nullptr;
    if (getaddrinfo(name, nullptr, &hints, &list) != 0 || list == nullptr) return {};
    char text[INET_ADDRSTRLEN] = {};
    const auto* addr = reinterpret_cast<const sockaddr_in*>(list->ai_addr);
    const bool ok = inet_ntop(AF_INET, &addr->sin_addr, text, sizeof text) != nullptr;
    freeaddrinfo(list);
    return ok ? std::string(text) : std::string();
}

}  // namespace lmn::shell
