// The parameter string the game client hands the card maker on its command line:
// "url=...;username=...;userid=N;type=T;arg=..." with the fields in that fixed order.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace lmn::maker {

// Cuts text at every ';' and returns the pieces in order. The piece after the last ';' is not
// kept, so callers append one ';' first. At most `capacity` pieces are kept; later ones are dropped.
std::vector<std::string> SplitString(std::string_view text, size_t capacity);

struct MakerParameters {
    std::string url;       // game server base URL, ends with "/"
    std::string userName;  // GBK
    int userId = 0;
    int type = 0;  // start action: 1 edit, 2 install a bought card, 3 publish
    std::string arg;
};

// Fields are taken by position, never looked up by key; each field loses every occurrence of
// its own key text. Missing fields are empty, unreadable numbers are 0, fields past the
// tenth are ignored.
MakerParameters ParseParameters(std::string_view commandLine);

// The card id a start action names: arg's decimal value when it is greater than 0, else 0.
int ArgCardId(const MakerParameters& params);

}  // namespace lmn::maker
