// Reading key=value pairs joined by "&" out of command texts and server replies.
#pragma once

#include <string>
#include <string_view>

namespace lmn::shell {

// The value of key in text, lower-cased. Text and key are compared in lower case, and the first
// occurrence of key + "=" anywhere counts (so "id" also matches inside an earlier "userid=").
// The value runs to the next "&" or the end of the text; a missing key gives "".
std::string GetArgValue(std::string_view text, std::string_view key);

// GetArgValue read as an integer (atoi rules: unreadable or missing is 0).
int GetArgInt(std::string_view text, std::string_view key);

}  // namespace lmn::shell
