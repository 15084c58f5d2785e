// config.ini text: lookups and edits of arbitrary files must not crash, and a value that was
// set must read back (when it has no line break and no surrounding blanks or quotes).
#include <cstdint>
#include <cstdlib>
#include <string>

#include "profile.h"
#include "text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    std::string value;
    lmn::profile_text::Lookup(text, "common", "strUrl", value);
    std::string edited = lmn::profile_text::Set(text, "common", "strUrl", "http://h/game/zrk/");
    std::string read;
    if (!lmn::profile_text::Lookup(edited, "common", "strUrl", read) || read != "http://h/game/zrk/") {
        // The key may legitimately sit in an earlier duplicate section of a hostile file;
        // anything else is a fault.
        if (lmn::GbkToLower(text).find("[common") == std::string::npos) std::abort();
    }
    lmn::GbkToUtf8(text);
    lmn::Utf8ToGbk(text);
    return 0;
}
