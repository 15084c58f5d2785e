#include "page_script.h"

#include <cstdio>

#include "text.h"

namespace lmn::shell {

namespace {

void AppendHexEscape(std::string& out, unsigned char c) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "\\x%02x", c);
    out += buf;
}

}  // namespace

std::string EscapeScriptString(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size() + 16);
    for (size_t i = 0; i < utf8.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(utf8[i]);
        switch (c) {
            case '\\':
                out += "\\\\";
                continue;
            case '\'':
                out += "\\'";
                continue;
            case '"':
                out += "\\\"";
                continue;
            case '\n':
                out += "\\n";
                continue;
            case '\r':
                out += "\\r";
                continue;
            case '<':
            case '>':
                AppendHexEscape(out, c);
                continue;
            default:
                break;
        }
        if (c < 0x20 || c == 0x7f) {
            AppendHexEscape(out, c);
        } else if (c == 0xE2 && i + 2 < utf8.size() && static_cast<unsigned char>(utf8[i + 1]) == 0x80 &&
                   (static_cast<unsigned char>(utf8[i + 2]) == 0xA8 ||
                    static_cast<unsigned char>(utf8[i + 2]) == 0xA9)) {
            out += static_cast<unsigned char>(utf8[i + 2]) == 0xA8 ? "\\u2028" : "\\u2029";
            i += 2;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

std::string ClientCmdScript(std::string_view gbkText) {
    return "client_cmd('" + EscapeScriptString(GbkToUtf8(gbkText)) + "')";
}

}  // namespace lmn::shell
