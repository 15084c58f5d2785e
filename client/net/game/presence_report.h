// The presence report the client sends every ten minutes once a player is known, and what it
// does with the reply.
#pragma once

#include <string>

#include "fetch_retry.h"

namespace lmn::game {

struct PresenceInput {
    std::string baseUrl;
    int userId = 0;
    std::string path;     // the program folder with forward slashes
    std::string localIp;  // this machine's first address
    bool outIp = false;
    std::string userName;
    std::string password;
};

// The reply needs nothing when it equals the path (letter case ignored), is "ok", or is empty.
bool PresenceReplyAccepted(const std::string& reply, const std::string& path);

// Sends add_activep; returns the lobby login address the page must be taken to, or an empty
// text when the reply was accepted.
std::string SendPresenceReport(const FetchFn& fetch, const PresenceInput& input);

}  // namespace lmn::game
