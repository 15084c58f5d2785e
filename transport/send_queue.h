// The ordered send blocks of one connection. A record joins the last block that holds data if
// that block has not started leaving and still has room, else the first empty block after it
// (so packages queued while the socket cannot take more leave together in one write); it never
// joins a block that has a block with data behind it, so records leave in the order they were
// queued. A record too large for an ordinary block gets a block of its own.
// At most two emptied ordinary blocks are kept for reuse, so a busy connection allocates
// nothing per package.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <span>
#include <vector>

namespace lmn::net {

class SendQueue {
  public:
    SendQueue();

    // Appends one record carrying payload. tagSource supplies randomness for the tag: its low
    // 4 bits are cleared for a record in an ordinary block, its low 2 bits for one on its own.
    void append(std::span<const std::uint8_t> payload, std::uint32_t tagSource);

    // The unsent bytes of the first block that holds data (empty when nothing is queued).
    // Leading empty blocks with others behind them are dropped first.
    std::span<const std::uint8_t> nextToSend();
    // Marks count bytes of nextToSend() as gone; a block that has gone whole leaves the queue.
    void consumed(std::size_t count);

    bool hasData() const;
    std::size_t blockCount() const { return blocks_.size(); }
    std::size_t unsentBytes() const;

  private:
    struct Block {
        std::vector<std::uint8_t> bytes;  // header and records; size() is the used size
        std::size_t sent = 0;
        std::uint32_t records = 0;
        bool ordinary = true;
    };

    static Block emptyOrdinary();
    static void writeRecord(Block& block, std::span<const std::uint8_t> payload, std::uint32_t tag);
    static bool takes(const Block& block, std::size_t payloadSize);

    std::deque<Block> blocks_;
};

}  // namespace lmn::net
