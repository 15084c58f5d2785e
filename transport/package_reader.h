// Reads the fields of a received package in order. The package's own length field marks its
// end (bytes after it are ignored); a length field claiming more bytes than were received is
// held to the received bytes, so no read ever leaves the buffer.
//
// Reading past the end throws PackageError with one of the two fixed texts; the handler of the
// transport event catches it and drops the rest of the package.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>

namespace lmn::net {

inline constexpr const char* kOverReadField = "Over Read package of type class";
inline constexpr const char* kOverReadString = "Over Read package of string";

class PackageError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

class PackageReader {
  public:
    explicit PackageReader(std::span<const std::uint8_t> bytes);

    // The type at offset 4; 0 (no catalogue type) when fewer than 8 bytes were received.
    std::int32_t type() const { return type_; }

    std::int32_t readInt32();
    std::int16_t readInt16();
    std::string readString();

    // Bytes between the cursor and the package's end.
    std::size_t remaining() const { return end_ > cursor_ ? end_ - cursor_ : 0; }

  private:
    const std::uint8_t* base_;
    std::size_t cursor_ = 9;
    std::size_t end_ = 0;
    std::int32_t type_ = 0;
};

}  // namespace lmn::net
