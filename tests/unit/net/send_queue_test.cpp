#include "send_queue.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "frames.h"

using namespace lmn::net;
using namespace lmn::test;

namespace {

std::span<const std::uint8_t> Span(const std::string& s) {
    return {reinterpret_cast<const std::uint8_t*>(s.data()), s.size()};
}

// Takes count bytes of the first block with data (everything that is left when count is 0)
// and returns them.
std::vector<std::uint8_t> Send(SendQueue& q, std::size_t count = 0) {
    auto bytes = q.nextToSend();
    if (count == 0 || count > bytes.size()) count = bytes.size();
    std::vector<std::uint8_t> out(bytes.begin(), bytes.begin() + count);
    q.consumed(count);
    return out;
}

std::vector<std::uint8_t> SendAll(SendQueue& q) {
    std::vector<std::uint8_t> stream;
    while (q.hasData()) Append(stream, Send(q));
    return stream;
}

}  // namespace

TEST(SendQueue, ARecordOnAnIdleConnectionIsABlockOfItsOwn) {
    SendQueue q;
    q.append(Span("hello"), 0xFFFFFFFF);
    auto blocks = ParseBlocks(Send(q));
    ASSERT_EQ(blocks.size(), 1u);
    EXPECT_EQ(blocks[0].count, 1u);
    EXPECT_EQ(blocks[0].payloads, std::vector<std::string>{"hello"});
    EXPECT_FALSE(q.hasData());
}

TEST(SendQueue, RecordsWaitingBehindAPartlySentBlockShareOneBlock) {
    SendQueue q;
    q.append(Span(std::string(1000, 'a')), 1);
    std::vector<std::uint8_t> stream = Send(q, 10);  // the socket took only 10 bytes
    std::vector<std::string> ten;
    for (int i = 0; i < 10; ++i) {
        ten.push_back("p" + std::to_string(i));
        q.append(Span(ten.back()), static_cast<std::uint32_t>(i * 977));
    }
    Append(stream, SendAll(q));
    auto blocks = ParseBlocks(stream);
    ASSERT_EQ(blocks.size(), 2u);
    EXPECT_EQ(blocks[1].count, 10u);
    EXPECT_EQ(blocks[1].payloads, ten);
}

TEST(SendQueue, TagsOfOrdinaryRecordsHaveTheLowFourBitsClear) {
    SendQueue q;
    q.append(Span("x"), 0xFFFFFFFF);
    auto block = Send(q);
    std::uint32_t tag = GetLe32(block.data() + 12);
    EXPECT_EQ(tag, 0x7FF0u);
    EXPECT_EQ(GetLe32(block.data() + 8 + 4 + 4 + 1), tag) << "tag copy after the payload";
}

TEST(SendQueue, ARecordAbove32767BytesTravelsAlone) {
    SendQueue q;
    q.append(Span("before"), 0);
    auto stream = Send(q, 3);
    std::string fits(32747, 'f');  // header + record = 32767 bytes: still ordinary
    std::string big(32748, 'b');   // one byte more: a block of its own
    q.append(Span(fits), 0);
    q.append(Span(big), 0xFFFFFFFF);
    q.append(Span("after"), 0);
    Append(stream, SendAll(q));
    auto blocks = ParseBlocks(stream);
    ASSERT_EQ(blocks.size(), 4u);
    EXPECT_EQ(blocks[1].payloads, std::vector<std::string>{fits});
    EXPECT_EQ(blocks[2].payloads, std::vector<std::string>{big});
    EXPECT_EQ(blocks[3].payloads, std::vector<std::string>{"after"});
}

TEST(SendQueue, SmallRecordsNeverOvertakeAnOversizedOne) {
    // Reach a partly sent block followed by two empty reusable blocks, then queue a record
    // that needs its own block and a small one after it.
    SendQueue q;
    std::string a(30000, 'a'), b(30000, 'b'), c(30000, 'c'), big(40000, 'B');
    std::vector<std::uint8_t> stream;
    q.append(Span(a), 0);
    Append(stream, Send(q, 100));
    q.append(Span(b), 0);
    q.append(Span(c), 0);
    Append(stream, Send(q));  // rest of a
    Append(stream, Send(q));  // b
    Append(stream, Send(q, 100));
    ASSERT_EQ(q.blockCount(), 3u);
    q.append(Span(big), 0);
    q.append(Span("small"), 0);
    Append(stream, SendAll(q));
    std::vector<std::string> order;
    for (auto& block : ParseBlocks(stream))
        for (auto& p : block.payloads) order.push_back(p.substr(0, 5));
    EXPECT_EQ(order, (std::vector<std::string>{"aaaaa", "bbbbb", "ccccc", "BBBBB", "small"}));
}

TEST(SendQueue, ABusyConnectionReusesItsBlocks) {
    SendQueue q;
    for (int i = 0; i < 1000; ++i) {
        q.append(Span(std::string(20000, 'x')), 0);
        q.append(Span(std::string(20000, 'y')), 0);
        Send(q, 5000);
        SendAll(q);
        EXPECT_LE(q.blockCount(), 3u);
    }
    EXPECT_EQ(q.unsentBytes(), 0u);
}
