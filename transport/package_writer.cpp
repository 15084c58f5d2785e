#include "package_writer.h"

#include "byte_order.h"

namespace lmn::net {

PackageWriter::PackageWriter(std::int32_t type) {
    bytes_.reserve(256);
    bytes_.resize(kHeaderSize);
    StoreLe32(bytes_.data() + 4, static_cast<std::uint32_t>(type));
    StoreLe32(bytes_.data(), static_cast<std::uint32_t>(kHeaderSize));
}

void PackageWriter::grow(std::size_t bytes) {
    bytes_.resize(bytes_.size() + bytes);
    StoreLe32(bytes_.data(), static_cast<std::uint32_t>(bytes_.size()));
    checksumPending_ = true;
}

PackageWriter& PackageWriter::int32(std::int32_t value) {
    grow(4);
    StoreLe32(bytes_.data() + bytes_.size() - 4, static_cast<std::uint32_t>(value));
    return *this;
}

PackageWriter& PackageWriter::string(std::string_view text) {
    std::string_view kept = CutAtGbkBoundary(text, kMaxStringBytes);
    std::size_t at = bytes_.size();
    grow(2 + kept.size());
    StoreLe16(bytes_.data() + at, static_cast<std::uint16_t>(kept.size()));
    if (!kept.empty()) std::memcpy(bytes_.data() + at + 2, kept.data(), kept.size());
    return *this;
}

std::span<const std::uint8_t> PackageWriter::seal() {
    if (checksumPending_) {
        checksumPending_ = false;
        bytes_[8] = 0;
        std::uint8_t sum = 0;
        for (std::uint8_t b : bytes_) sum ^= b;
        bytes_[8] = sum;
    }
    return bytes_;
}

std::string_view CutAtGbkBoundary(std::string_view text, std::size_t maxBytes) {
    if (text.size() <= maxBytes) return text;
    std::size_t end = 0;
    while (end < text.size()) {
        auto c = static_cast<unsigned char>(text[end]);
        std::size_t width = (c >= 0x81 && c <= 0xFE && end + 1 < text.size()) ? 2 : 1;
        if (end + width > maxBytes) break;
        end += width;
    }
    return text.substr(0, end);
}

}  // namespace lmn::net
