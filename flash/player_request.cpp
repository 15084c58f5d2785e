#include "player_request.h"

namespace lmn::flash {

HeadState FindRequestHead(std::string_view received, std::size_t& headLength) {
    const std::string_view window = received.substr(0, kMaxRequestHead);
    const std::size_t crlf = window.find("\r\n\r\n");
    const std::size_t lf = window.find("\n\n");
    std::size_t end = std::string_view::npos;
    if (crlf != std::string_view::npos) end = crlf + 4;
    if (lf != std::string_view::npos && (end == std::string_view::npos || lf + 2 < end)) end = lf + 2;
    if (end != std::string_view::npos) {
        headLength = end;
        return HeadState::Complete;
    }
    return received.size() >= kMaxRequestHead ? HeadState::TooLarge : HeadState::Incomplete;
}

namespace {

std::optional<RequestMethod> MethodOf(std::string_view word) {
    if (word == "GET") return RequestMethod::Get;
    if (word == "HEAD") return RequestMethod::Head;
    if (word == "OPTIONS") return RequestMethod::Options;
    return std::nullopt;
}

bool IsTargetByte(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte > 0x20 && byte < 0x7f;
}

}  // namespace

std::optional<PlayerRequest> ParseRequestHead(std::string_view head) {
    const std::size_t lineEnd = head.find('\n');
    if (lineEnd == std::string_view::npos) return std::nullopt;
    std::string_view line = head.substr(0, lineEnd);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);

    const std::size_t firstBlank = line.find(' ');
    if (firstBlank == std::string_view::npos) return std::nullopt;
    const std::size_t secondBlank = line.find(' ', firstBlank + 1);
    if (secondBlank == std::string_view::npos) return std::nullopt;
    const auto method = MethodOf(line.substr(0, firstBlank));
    const std::string_view target = line.substr(firstBlank + 1, secondBlank - firstBlank - 1);
    const std::string_view version = line.substr(secondBlank + 1);
    if (!method || (version != "HTTP/1.1" && version != "HTTP/1.0")) return std::nullopt;
    if (target.empty() || target.front() != '/') return std::nullopt;
    for (char c : target)
        if (!IsTargetByte(c)) return std::nullopt;

    PlayerRequest request;
    request.method = *method;
    request.path = std::string(target.substr(0, target.find_first_of("?#")));
    return request;
}

}  // namespace lmn::flash
