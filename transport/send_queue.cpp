#include "send_queue.h"

#include <cstring>

#include "byte_order.h"
#include "framing.h"

namespace lmn::net {

SendQueue::SendQueue() {
    blocks_.push_back(emptyOrdinary());
    blocks_.push_back(emptyOrdinary());
}

SendQueue::Block SendQueue::emptyOrdinary() {
    Block block;
    block.bytes.reserve(kOrdinaryBlockLimit + kBlockHeaderSize);
    block.bytes.assign(kBlockHeaderSize, 0);
    return block;
}

bool SendQueue::takes(const Block& block, std::size_t payloadSize) {
    return block.ordinary && block.sent == 0 &&
           block.bytes.size() + payloadSize + kRecordOverhead <= kOrdinaryBlockLimit;
}

void SendQueue::writeRecord(Block& block, std::span<const std::uint8_t> payload, std::uint32_t tag) {
    std::size_t at = block.bytes.size();
    block.bytes.resize(at + payload.size() + kRecordOverhead);
    std::uint8_t* p = block.bytes.data() + at;
    StoreLe32(p, static_cast<std::uint32_t>(payload.size() + 4));
    StoreLe32(p + 4, tag);
    if (!payload.empty()) std::memcpy(p + 8, payload.data(), payload.size());
    StoreLe32(p + 8 + payload.size(), tag);
    block.records += 1;
    StoreLe32(block.bytes.data(), static_cast<std::uint32_t>(block.bytes.size() - kBlockHeaderSize));
    StoreLe32(block.bytes.data() + 4, block.records);
}

void SendQueue::append(std::span<const std::uint8_t> payload, std::uint32_t tagSource) {
    for (;;) {
        std::size_t first = blocks_.size();
        while (first > 0 && blocks_[first - 1].bytes.size() == kBlockHeaderSize) --first;
        if (first > 0) --first;
        for (std::size_t i = first; i < blocks_.size(); ++i) {
            if (takes(blocks_[i], payload.size())) {
                writeRecord(blocks_[i], payload, tagSource & 0x7FF0u);
                return;
            }
        }
        if (payload.size() + kBlockHeaderSize + kRecordOverhead > kOrdinaryBlockLimit - 1) {
            Block own;
            own.ordinary = false;
            own.bytes.reserve(kBlockHeaderSize + kRecordOverhead + payload.size());
            own.bytes.assign(kBlockHeaderSize, 0);
            writeRecord(own, payload, tagSource & 0x7FFCu);
            blocks_.push_back(std::move(own));
            while (blocks_.front().bytes.size() == kBlockHeaderSize) {
                blocks_.push_back(std::move(blocks_.front()));
                blocks_.pop_front();
            }
            return;
        }
        blocks_.push_back(emptyOrdinary());
    }
}

std::span<const std::uint8_t> SendQueue::nextToSend() {
    while (blocks_.size() > 1 && blocks_.front().bytes.size() == kBlockHeaderSize) blocks_.pop_front();
    if (blocks_.empty()) return {};
    const Block& front = blocks_.front();
    if (front.bytes.size() == kBlockHeaderSize) return {};
    return std::span<const std::uint8_t>(front.bytes).subspan(front.sent);
}

void SendQueue::consumed(std::size_t count) {
    Block& front = blocks_.front();
    front.sent += count;
    if (front.sent < front.bytes.size()) return;
    Block done = std::move(front);
    blocks_.pop_front();
    if (done.ordinary && blocks_.size() <= 2) {
        done.bytes.assign(kBlockHeaderSize, 0);
        done.sent = 0;
        done.records = 0;
        blocks_.push_back(std::move(done));
    }
}

bool SendQueue::hasData() const {
    for (const Block& block : blocks_)
        if (block.bytes.size() > kBlockHeaderSize) return true;
    return false;
}

std::size_t SendQueue::unsentBytes() const {
    std::size_t total = 0;
    for (const Block& block : blocks_)
        if (block.bytes.size() > kBlockHeaderSize) total += block.bytes.size() - block.sent;
    return total;
}

}  // namespace lmn::net
