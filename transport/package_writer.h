// Builds one package: int32 length (the whole package, these 4 bytes included), int32 type,
// one checksum byte, then the fields back to back, all little-endian.
//
// The buffer grows with the fields, so no text can overrun it. A string field carries a 16-bit
// length that receivers read as signed: a text longer than 32767 bytes is cut at the last GBK
// character boundary that fits, so every receiver can read the package back whole.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace lmn::net {

class PackageWriter {
  public:
    static constexpr std::size_t kHeaderSize = 9;
    static constexpr std::size_t kMaxStringBytes = 32767;

    explicit PackageWriter(std::int32_t type);

    PackageWriter& int32(std::int32_t value);
    PackageWriter& string(std::string_view text);

    std::size_t length() const { return bytes_.size(); }

    // Applies the send-time checksum (XOR of every byte with the checksum byte at 0) if it is
    // pending, and returns the package's length bytes. Appending afterwards makes it pending again.
    std::span<const std::uint8_t> seal();

  private:
    void grow(std::size_t bytes);

    std::vector<std::uint8_t> bytes_;
    bool checksumPending_ = true;
};

// The longest prefix of text, at most maxBytes long, that ends on a GBK character boundary.
std::string_view CutAtGbkBoundary(std::string_view text, std::size_t maxBytes);

}  // namespace lmn::net
