// Percent-decoding of URL pieces, byte for byte: "%XX" (two hex digits, either case) becomes
// the byte XX; a '%' without two hex digits after it stays as it stands.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace lmn {

// plusIsBlank: '+' stands for a blank, as in form-encoded query values; elsewhere '+' is kept.
std::string PercentDecode(std::string_view text, bool plusIsBlank = false);

// Whether a "%XX" escape starts at text[i].
bool IsPercentEscapeAt(std::string_view text, size_t i);

}  // namespace lmn
