// Asking other programs' top-level windows to close, chosen by their titles.
#pragma once

#include <functional>
#include <string_view>

namespace lmn::companions {

class WindowCloser {
  public:
    virtual ~WindowCloser() = default;
    // Asks every top-level window whose title (UTF-8) matches to close and waits, bounded,
    // until they are gone. Returns how many were asked.
    virtual int CloseMatching(const std::function<bool(std::string_view utf8Title)>& matches) = 0;
};

// The card maker's window: a title that, lower-cased and trimmed of blanks at both ends,
// contains "lumenfold-编辑器". Only the first 500 characters of a title count.
bool IsCardMakerTitle(std::string_view utf8Title);

}  // namespace lmn::companions
