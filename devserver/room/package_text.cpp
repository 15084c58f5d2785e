#include "package_text.h"

#include "message_types.h"
#include "package_fields.h"
#include "package_reader.h"

namespace lmn::dev {

namespace {

using namespace lmn::net;

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
    std::int32_t type = PackageReader(package).type();
    std::string text = MessageName(type);
    if (!FindMessage(type)) text += "(" + std::to_string(type) + ")";
    PackageFields fields = ReadFields(package, Sender::kClient);
    for (const std::string& value : fields.values) text += ' ' + OneLine(value);
    if (!fields.error.empty())
        text += " <" + fields.error + ">";
    else if (fields.unread > 0)
        text += " <" + std::to_string(fields.unread) + " more bytes>";
    return text;
}

}  // namespace lmn::dev
