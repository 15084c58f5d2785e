#include "block_receiver.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "frames.h"

using namespace lmn::net;
using namespace lmn::test;

namespace {

struct Outcome {
    std::vector<std::string> payloads;  // without the tag copy
    bool ok = true;
};

Outcome FeedInPieces(const std::vector<std::uint8_t>& stream, std::size_t piece) {
    BlockReceiver receiver;
    Outcome out;
    for (std::size_t at = 0; at < stream.size() && out.ok; at += piece) {
        std::size_t n = std::min(piece, stream.size() - at);
        out.ok = receiver.feed(std::span<const std::uint8_t>(stream.data() + at, n),
                               [&](std::uint32_t tag, std::span<const std::uint8_t> bytes) {
                                   ASSERT_GE(bytes.size(), 5u);
                                   EXPECT_EQ(GetLe32(bytes.data() + bytes.size() - 4), tag);
                                   out.payloads.emplace_back(bytes.begin(), bytes.end() - 4);
                               });
    }
    return out;
}

}  // namespace

TEST(BlockReceiver, DeliversTheSameRecordsWhateverThePieces) {
    std::vector<std::uint8_t> stream;
    Append(stream, Block({Record("alpha"), Record("b")}));
    Append(stream, Block({Record(std::string(5000, 'z'), 0x7FF0)}));
    for (std::size_t piece : {1u, 3u, 8u, 13u, 4096u, 100000u}) {
        Outcome out = FeedInPieces(stream, piece);
        EXPECT_TRUE(out.ok);
        EXPECT_EQ(out.payloads, (std::vector<std::string>{"alpha", "b", std::string(5000, 'z')})) << piece;
    }
}

TEST(BlockReceiver, BadHeadersAreSkippedAndTheStreamGoesOn) {
    std::vector<std::uint8_t> stream;
    Append(stream, Header(11, 1));       // body too short
    Append(stream, Header(1048577, 1));  // body too long
    Append(stream, Header(100, 10001));  // too many records
    Append(stream, Block({Record("after")}));
    Outcome out = FeedInPieces(stream, 5);
    EXPECT_TRUE(out.ok);
    EXPECT_EQ(out.payloads, std::vector<std::string>{"after"});
}

TEST(BlockReceiver, EmptyRecordsAreSkipped) {
    std::vector<std::uint8_t> stream = Block({Record(""), Record("one"), Record(""), Record("two")});
    Outcome out = FeedInPieces(stream, 7);
    EXPECT_TRUE(out.ok);
    EXPECT_EQ(out.payloads, (std::vector<std::string>{"one", "two"}));
}

TEST(BlockReceiver, RecordsBeforeAMalformedOneAreDeliveredNothingAfter) {
    for (std::int64_t badN : {std::int64_t{1000}, std::int64_t{3}, std::int64_t{1048577}}) {
        std::vector<std::uint8_t> stream =
            Block({Record("first"), Record("xx", 0x30, badN), Record("third")});
        Append(stream, Block({Record("next block")}));
        Outcome out = FeedInPieces(stream, 4);
        EXPECT_FALSE(out.ok) << badN;
        EXPECT_EQ(out.payloads, std::vector<std::string>{"first"}) << badN;
    }
}

TEST(BlockReceiver, RecordCountBeyondTheBodyIsMalformed) {
    std::vector<std::uint8_t> stream = Block({Record("only")});
    stream[4] = 2;  // claims a second record the body does not hold
    Outcome out = FeedInPieces(stream, 64);
    EXPECT_FALSE(out.ok);
    EXPECT_EQ(out.payloads, std::vector<std::string>{"only"});
}
