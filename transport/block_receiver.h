// The receive state machine of a connection: takes the bytes of the stream in whatever pieces
// they arrive and hands out each record's tag and the n bytes after it (payload and tag copy).
//
// A block header whose body length is outside 12..1048576 or whose record count exceeds 10000 is
// discarded and the next 8 bytes are read as a new header. Records with n = 4 (empty payload)
// are skipped. A record whose n is out of range or reaches past its block's body makes the
// stream malformed: records before it were already handed out, nothing after it is.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

namespace lmn::net {

class BlockReceiver {
  public:
    using RecordFn = std::function<void(std::uint32_t tag, std::span<const std::uint8_t> payloadAndTag)>;

    // Returns false once the stream is malformed; later calls then return false at once.
    bool feed(std::span<const std::uint8_t> bytes, const RecordFn& onRecord);

  private:
    bool takeHeader();
    bool walkBody(const RecordFn& onRecord);

    std::uint8_t header_[8] = {};
    std::size_t headerHave_ = 0;
    bool inBody_ = false;
    std::vector<std::uint8_t> body_;
    std::size_t bodyHave_ = 0;
    std::size_t recordCount_ = 0;
    bool malformed_ = false;
};

}  // namespace lmn::net
