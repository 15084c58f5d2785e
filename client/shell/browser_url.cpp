#include "browser_url.h"

#include "percent_decode.h"
#include "text.h"

namespace lmn::shell {

namespace {

bool HasStrayPercent(std::string_view text) {
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && !IsPercentEscapeAt(text, i)) return true;
    }
    return false;
}

// Every '%' of the address was written as "%25" by the browser layer.
bool WasReencoded(std::string_view encoded) {
    std::string once = PercentDecode(encoded);
    return encoded.find("%25") != std::string_view::npos && HasStrayPercent(once);
}

std::string DecodePiece(std::string_view piece, bool utf8, bool reencoded) {
    std::string bytes = PercentDecode(piece);
    if (reencoded) bytes = PercentDecode(bytes);
    return utf8 ? Utf8ToGbk(bytes) : bytes;
}

}  // namespace

std::string DecodeBrowserUrl(std::string_view encoded, bool queryIsUtf8) {
    const bool reencoded = WasReencoded(encoded);
    const size_t queryStart = encoded.find('?');
    std::string out;
    size_t pieceStart = 0;
    for (size_t i = 0; i <= encoded.size(); ++i) {
        const bool separator =
            i == encoded.size() || encoded[i] == '&' || encoded[i] == '=' || i == queryStart;
        if (!separator) continue;
        const bool inQuery = queryStart != std::string_view::npos && pieceStart > queryStart;
        out += DecodePiece(encoded.substr(pieceStart, i - pieceStart), !inQuery || queryIsUtf8, reencoded);
        if (i < encoded.size()) out += encoded[i];
        pieceStart = i + 1;
    }
    return out;
}

}  // namespace lmn::shell
