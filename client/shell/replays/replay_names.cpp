#include "replay_names.h"

#include <cstdio>
#include <ctime>

#include "text.h"

namespace lmn::replays {

namespace {

std::string BracketedPair(std::string_view name1, std::string_view name2) {
    return "[" + SafeNamePiece(name1) + "] vs [" + SafeNamePiece(name2) + "]";
}

// The text between the first "[" at or after `from` and the next "]"; `from` moves past that "]".
std::string NextBracketed(std::string_view text, size_t& from) {
    size_t open = text.find('[', from);
    if (open == std::string_view::npos) {
        from = text.size();
        return {};
    }
    size_t close = text.find(']', open + 1);
    if (close == std::string_view::npos) {
        from = text.size();
        return std::string(text.substr(open + 1));
    }
    from = close + 1;
    return std::string(text.substr(open + 1, close - open - 1));
}

}  // namespace

Timestamp LocalNow() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec};
}

std::string TimestampText(const Timestamp& t) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%04d%02d%02d%02d%02d%02d", t.year, t.month, t.day, t.hour, t.minute,
                  t.second);
    return buf;
}

std::string DecodeReplayText(std::string_view pieces) {
    return ReplaceAll(ReplaceAll(std::string(pieces), "[g1]", "^"), "[g2]", " ");
}

std::string DecodePageFileName(std::string_view encoded) {
    return ReplaceAll(ReplaceAll(std::string(encoded), "[g2]", " "), "[g1]", "\\");
}

std::string SafeNamePiece(std::string_view text) {
    std::string safe(text);
    for (char& c : safe)
        if (c == '/' || c == '\\' || c == '\0') c = '_';
    return safe;
}

std::string OwnReplayFileName(std::string_view name1, std::string_view name2, const Timestamp& when) {
    return BracketedPair(name1, name2) + TimestampText(when) + ".txt";
}

std::string CollectedReplayFileName(std::string_view name1, std::string_view name2,
                                    std::string_view saveTime) {
    std::string compact;
    for (char c : saveTime)
        if (c != ' ' && c != '-' && c != ':') compact += c;
    return BracketedPair(name1, name2) + SafeNamePiece(compact) + ".txt";
}

std::pair<std::string, std::string> PlayerNamesOf(std::string_view fileName) {
    size_t at = 0;
    std::string first = NextBracketed(fileName, at);
    std::string second = NextBracketed(fileName, at);
    return {first, second};
}

std::string TimeTextOf(std::string_view fileName) {
    size_t firstClose = fileName.find(']');
    if (firstClose == std::string_view::npos) return {};
    size_t secondClose = fileName.find(']', firstClose + 1);
    if (secondClose == std::string_view::npos) return {};
    size_t dot = fileName.find('.', secondClose + 1);
    if (dot == std::string_view::npos) return std::string(fileName.substr(secondClose + 1));
    return std::string(fileName.substr(secondClose + 1, dot - secondClose - 1));
}

}  // namespace lmn::replays
