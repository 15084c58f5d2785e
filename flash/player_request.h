// The one kind of request the player's file server understands, read from the bytes a browser
// sent: "GET /path HTTP/1.x" (or HEAD, or an OPTIONS preflight) and its header lines.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace lmn::flash {

// A request head longer than this is refused before it is read further.
inline constexpr std::size_t kMaxRequestHead = 8192;

enum class HeadState { Incomplete, Complete, TooLarge };

// Whether the bytes received so far hold a whole request head (up to the blank line); on
// Complete, headLength is its length including the blank line.
HeadState FindRequestHead(std::string_view received, std::size_t& headLength);

enum class RequestMethod { Get, Head, Options };

struct PlayerRequest {
    RequestMethod method = RequestMethod::Get;
    std::string path;  // the target without its query or fragment, as sent (not decoded)
};

// The request line of a complete head. Nothing for another method, an absolute or relative
// target, control bytes or blanks in the target, or a version other than HTTP/1.0 and 1.1.
std::optional<PlayerRequest> ParseRequestHead(std::string_view head);

}  // namespace lmn::flash
