#include "package_fields.h"

#include "package_reader.h"

namespace lmn::net {

namespace {

void ReadOne(PackageReader& reader, char kind, std::vector<std::string>& values) {
    values.push_back(kind == 'i' ? std::to_string(reader.readInt32()) : reader.readString());
}

}  // namespace

PackageFields ReadFields(std::span<const std::uint8_t> package, std::string_view layout) {
    PackageFields fields;
    PackageReader reader(package);
    if (layout == kNotWritten) layout = {};
    try {
        for (std::size_t i = 0; i < layout.size(); ++i) {
            char kind = layout[i];
            if (kind == '|') {
                if (reader.remaining() == 0) break;
            } else if (kind == 'n' && i + 1 < layout.size()) {
                std::int32_t count = reader.readInt32();
                fields.values.push_back(std::to_string(count));
                char item = layout[++i];
                for (std::int32_t k = 0; k < count; ++k) ReadOne(reader, item, fields.values);
            } else {
                ReadOne(reader, kind, fields.values);
            }
        }
    } catch (const PackageError& e) {
        fields.error = e.what();
    }
    fields.unread = reader.remaining();
    return fields;
}

PackageFields ReadFields(std::span<const std::uint8_t> package, Sender sender) {
    const MessageInfo* message = FindMessage(PackageReader(package).type());
    return ReadFields(package, message ? message->layout(sender) : std::string_view());
}

}  // namespace lmn::net
