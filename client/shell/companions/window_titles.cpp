#include <string>

#include "text.h"
#include "window_closer.h"

namespace lmn::companions {

namespace {

constexpr size_t kTitleCharacters = 500;

// The first `characters` UTF-8 characters of text.
std::string_view FirstCharacters(std::string_view text, size_t characters) {
    size_t seen = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        bool leadByte = (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80;
        if (leadByte && seen++ == characters) return text.substr(0, i);
    }
    return text;
}

}  // namespace

bool IsCardMakerTitle(std::string_view utf8Title) {
    // Trimming the blanks at the ends cannot change whether the text is contained, so it is left out.
    std::string title = AsciiLower(FirstCharacters(utf8Title, kTitleCharacters));
    return title.find("lumenfold-编辑器") != std::string::npos;
}

}  // namespace lmn::companions
