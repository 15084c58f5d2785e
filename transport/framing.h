// The framed stream both directions of every connection carry: blocks of an 8-byte header
// (int32 body length, int32 record count) and a body of records. A record is int32 n
// (payload length + 4), int32 tag, the payload, and a copy of the tag: n + 8 bytes.
#pragma once

#include <cstddef>

namespace lmn::net {

inline constexpr std::size_t kBlockHeaderSize = 8;
inline constexpr std::size_t kMinBodyLength = 12;
inline constexpr std::size_t kMaxBodyLength = 1048576;
inline constexpr std::size_t kMaxRecordsPerBlock = 10000;
inline constexpr std::size_t kRecordOverhead = 12;  // n, tag and tag copy
inline constexpr std::size_t kMinRecordN = 4;
inline constexpr std::size_t kMaxRecordN = 1048576;
// Ordinary send blocks hold records while header plus body stay within this many bytes; a
// record that cannot fit an empty ordinary block travels in a block sized for it alone.
inline constexpr std::size_t kOrdinaryBlockLimit = 32768;
// The longest payload send accepts.
inline constexpr std::size_t kMaxPayload = 1048572;

}  // namespace lmn::net
