// Encoding of the values of the card registration request.
#pragma once

#include <string>
#include <string_view>

namespace lmn::maker {

// Byte by byte: ASCII letters and digits stay, white space becomes '+', every other byte
// becomes '%' and two upper-case hex digits ("-" -> "%2D", each GBK byte encoded).
std::string UrlEncode(std::string_view text);

}  // namespace lmn::maker
