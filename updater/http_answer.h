// Reading the answer of the hand-written manifest request: where the XML text starts, the
// length the server declared, and whether the two agree. The answer is taken as text, so it
// ends at its first zero byte.
#pragma once

#include <string_view>

namespace lmn::updater {

struct ManifestAnswer {
    bool legal = false;      // an "<?xml" was found and a non-zero length was declared
    std::string_view xml;    // from the first "<?xml" to the end of the text
    long long declared = 0;  // the Content-Length value as read (0 when the header is absent)
    bool complete = false;   // declared and actual XML length differ by at most 3 bytes
};

// The declared length is read from the second character after "Content-Length:" on: the first
// one (normally the blank) is passed over unread, further white space is skipped and reading
// stops at the first non-digit. So "Content-Length:1234" declares 234.
ManifestAnswer ReadManifestAnswer(std::string_view received);

}  // namespace lmn::updater
