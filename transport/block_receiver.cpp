#include "block_receiver.h"

#include <algorithm>
#include <cstring>

#include "byte_order.h"
#include "framing.h"

namespace lmn::net {

bool BlockReceiver::feed(std::span<const std::uint8_t> bytes, const RecordFn& onRecord) {
    while (!malformed_ && !bytes.empty()) {
        if (!inBody_) {
            std::size_t take = std::min(bytes.size(), kBlockHeaderSize - headerHave_);
            std::memcpy(header_ + headerHave_, bytes.data(), take);
            headerHave_ += take;
            bytes = bytes.subspan(take);
            if (headerHave_ == kBlockHeaderSize) inBody_ = takeHeader();
            continue;
        }
        std::size_t take = std::min(bytes.size(), body_.size() - bodyHave_);
        std::memcpy(body_.data() + bodyHave_, bytes.data(), take);
        bodyHave_ += take;
        bytes = bytes.subspan(take);
        if (bodyHave_ == body_.size()) {
            if (!walkBody(onRecord)) malformed_ = true;
            inBody_ = false;
        }
    }
    return !malformed_;
}

bool BlockReceiver::takeHeader() {
    headerHave_ = 0;
    std::uint32_t bodyLength = LoadLe32(header_);
    std::uint32_t count = LoadLe32(header_ + 4);
    if (bodyLength < kMinBodyLength || bodyLength > kMaxBodyLength || count > kMaxRecordsPerBlock)
        return false;
    body_.resize(bodyLength);
    bodyHave_ = 0;
    recordCount_ = count;
    return true;
}

bool BlockReceiver::walkBody(const RecordFn& onRecord) {
    std::size_t at = 0;
    for (std::size_t i = 0; i < recordCount_; ++i) {
        if (body_.size() - at < 8) return false;
        std::uint32_t n = LoadLe32(body_.data() + at);
        std::uint32_t tag = LoadLe32(body_.data() + at + 4);
        if (n < kMinRecordN || n > kMaxRecordN || n + 8 > body_.size() - at) return false;
        if (n > kMinRecordN) onRecord(tag, std::span<const std::uint8_t>(body_.data() + at + 8, n));
        at += n + 8;
    }
    return true;
}

}  // namespace lmn::net
