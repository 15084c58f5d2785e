// Which frames may give the program commands: pages of the game's web server (the host of the
// base URL or of the room's base URL) and the program's own local pages. A frame of any other
// host inside a game page (an advert, a forum widget) is not heard.
#pragma once

#include <string>
#include <string_view>

namespace lmn::shell {

// The host of a URL ("http://User@Host:80/x" -> "host"), lower-cased; empty when it has none.
std::string UrlHost(std::string_view url);

// sourceUrl: the address (or origin) of the frame that made the command navigation.
bool CommandSourceAllowed(std::string_view sourceUrl, std::string_view baseUrl, std::string_view roomBaseUrl);

}  // namespace lmn::shell
