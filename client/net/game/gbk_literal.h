// The client's fixed Chinese texts are written in UTF-8 here and used as GBK.
#pragma once

#include <string>

#include "text.h"

namespace lmn::game {

inline std::string Utf8ToGbkLiteral(const char* utf8) {
    return Utf8ToGbk(utf8);
}

}  // namespace lmn::game
