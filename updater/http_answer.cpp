#include "http_answer.h"

#include "text.h"

namespace lmn::updater {

namespace {

constexpr std::string_view kXmlStart = "<?xml";
constexpr std::string_view kLengthHeader = "Content-Length:";
constexpr long long kLengthTolerance = 3;

long long DeclaredLength(std::string_view text) {
    size_t at = text.find(kLengthHeader);
    if (at == std::string_view::npos) return 0;
    size_t from = at + kLengthHeader.size() + 1;
    if (from >= text.size()) return 0;
    return AtoI(text.substr(from));
}

}  // namespace

ManifestAnswer ReadManifestAnswer(std::string_view received) {
    ManifestAnswer answer;
    std::string_view text = received.substr(0, received.find('\0'));
    answer.declared = DeclaredLength(text);
    size_t xmlAt = text.find(kXmlStart);
    if (xmlAt == std::string_view::npos || answer.declared == 0) return answer;
    answer.legal = true;
    answer.xml = text.substr(xmlAt);
    long long difference = answer.declared - static_cast<long long>(answer.xml.size());
    answer.complete = difference >= -kLengthTolerance && difference <= kLengthTolerance;
    return answer;
}

}  // namespace lmn::updater
