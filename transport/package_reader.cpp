#include "package_reader.h"

#include <algorithm>

#include "byte_order.h"

namespace lmn::net {

PackageReader::PackageReader(std::span<const std::uint8_t> bytes) : base_(bytes.data()) {
    if (bytes.size() < 8) return;
    auto claimed = static_cast<std::int32_t>(LoadLe32(base_));
    end_ = claimed < 0 ? 0 : std::min(static_cast<std::size_t>(claimed), bytes.size());
    type_ = static_cast<std::int32_t>(LoadLe32(base_ + 4));
}

std::int32_t PackageReader::readInt32() {
    if (remaining() < 4) throw PackageError(kOverReadField);
    auto value = static_cast<std::int32_t>(LoadLe32(base_ + cursor_));
    cursor_ += 4;
    return value;
}

std::int16_t PackageReader::readInt16() {
    if (remaining() < 2) throw PackageError(kOverReadField);
    auto value = static_cast<std::int16_t>(LoadLe16(base_ + cursor_));
    cursor_ += 2;
    return value;
}

std::string PackageReader::readString() {
    if (remaining() < 2) throw PackageError(kOverReadString);
    auto n = static_cast<std::int16_t>(LoadLe16(base_ + cursor_));
    cursor_ += 2;
    if (n < 0 || remaining() < static_cast<std::size_t>(n)) throw PackageError(kOverReadString);
    std::string text(reinterpret_cast<const char*>(base_ + cursor_), static_cast<std::size_t>(n));
    cursor_ += static_cast<std::size_t>(n);
    return text;
}

}  // namespace lmn::net
