#include "package_text.h"

#include <string_view>

#include "message_types.h"
#include "package_reader.h"

namespace lmn::dev {

namespace {

using namespace lmn::net;

// Field kinds in order: 'i' int32, 's' string; fields after '|' are present only in the long form.
std::string_view Layout(std::int32_t type) {
    switch (type) {
        case MSG_PEER_HELLO:
        case MSG_PEER_WELCOME:
        case MSG_REMATCH_REPLY:
        case MSG_RESTART_REPLY:
        case MSG_SRV_REMATCH_REPLY:
            return "i";
        case MSG_GAME_SETUP:
            return "iss";
        case MSG_GAME_DEAL:
        case MSG_SRV_CHAT:
            return "s";
        case MSG_SRV_LOGIN:
            return "is|iiss";
        case MSG_SRV_AUTO_GROUP:
            return "ii|is";
        case MSG_SRV_MATCH_START:
        case MSG_SRV_USER_LIST:
        case MSG_SRV_WATCH:
            return "ii";
        case MSG_SRV_GAME_SETUP:
            return "issi";
        case MSG_SRV_INVITE:
            return "isis";
        case MSG_SRV_INVITE_REPLY:
            return "iiis|s";
        case MSG_SRV_FETCH_FOR_ME:
            return "is";
        default:
            return "";
    }
}

std::string OneLine(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '\n')
            out += "\\n";
        else if (c == '\r')
            out += "\\r";
        else
            out += c;
    }
    return out;
}

}  // namespace

std::string DescribePackage(std::span<const std::uint8_t> package) {
    PackageReader reader(package);
    std::string text = MessageName(reader.type());
    if (text == "MSG_UNKNOWN") text += "(" + std::to_string(reader.type()) + ")";
    try {
        for (char kind : Layout(reader.type())) {
            if (kind == '|') {
                if (reader.remaining() == 0) break;
                continue;
            }
            text += ' ';
            text += kind == 'i' ? std::to_string(reader.readInt32()) : OneLine(reader.readString());
        }
    } catch (const PackageError& e) {
        text += std::string(" <") + e.what() + ">";
    }
    return text;
}

}  // namespace lmn::dev
