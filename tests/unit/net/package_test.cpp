#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "message_types.h"
#include "package_reader.h"
#include "package_writer.h"

using namespace lmn::net;

namespace {

std::vector<std::uint8_t> Bytes(PackageWriter& writer) {
    auto span = writer.seal();
    return {span.begin(), span.end()};
}

std::string ReadError(PackageReader& reader, char kind) {
    try {
        if (kind == 'i') reader.readInt32();
        if (kind == 'h') reader.readInt16();
        if (kind == 's') reader.readString();
    } catch (const PackageError& e) {
        return e.what();
    }
    return "no error";
}

}  // namespace

TEST(Package, LayoutAndChecksumAreByteExactAndRepeatable) {
    PackageWriter a(MSG_SRV_USER_LIST);
    a.int32(1001).int32(-2);
    PackageWriter b(MSG_SRV_USER_LIST);
    b.int32(1001).int32(-2);
    std::vector<std::uint8_t> expected = {17,   0,    0, 0, 0x15, 0x05, 0,    0,   0,
                                          0xE9, 0x03, 0, 0, 0xFE, 0xFF, 0xFF, 0xFF};
    std::uint8_t sum = 0;
    for (auto byte : expected) sum ^= byte;
    expected[8] = sum;
    EXPECT_EQ(Bytes(a), expected);
    EXPECT_EQ(Bytes(a), Bytes(b));
}

TEST(Package, StringFieldIsSixteenBitLengthThenBytes) {
    PackageWriter w(MSG_SRV_CHAT);
    w.string("Ann").string("");
    auto bytes = Bytes(w);
    ASSERT_EQ(bytes.size(), 9u + 2 + 3 + 2);
    EXPECT_EQ(bytes[9], 3);
    EXPECT_EQ(bytes[10], 0);
    EXPECT_EQ(std::string(bytes.begin() + 11, bytes.begin() + 14), "Ann");
    PackageReader r(bytes);
    EXPECT_EQ(r.readString(), "Ann");
    EXPECT_EQ(r.readString(), "");
    EXPECT_EQ(r.remaining(), 0u);
}

TEST(Package, ChecksumFollowsLaterAppends) {
    PackageWriter w(MSG_GAME_DEAL);
    w.string("a");
    w.seal();
    w.string("b");
    auto bytes = Bytes(w);
    std::uint8_t sum = 0;
    for (auto byte : bytes) sum ^= byte;
    EXPECT_EQ(sum, 0) << "XOR over a sealed package including its checksum byte is zero";
}

TEST(Package, NineBytePackageOfType1007IsReadWithoutFields) {
    PackageWriter w(MSG_SRV_GAME_OVER);
    auto bytes = Bytes(w);
    ASSERT_EQ(bytes.size(), 9u);
    bytes.insert(bytes.end(), {0xAA, 0xBB, 0xCC, 0xDD});  // the transport's trailing tag
    PackageReader r(bytes);
    EXPECT_EQ(r.type(), 1007);
    EXPECT_EQ(r.remaining(), 0u);
    EXPECT_EQ(ReadError(r, 'i'), kOverReadField) << "the trailing tag is not part of the package";
}

TEST(Package, OverReadsRaiseTheirTexts) {
    PackageWriter w(MSG_SRV_NOTICE);
    w.int32(5);
    auto bytes = Bytes(w);
    bytes.push_back(0x01);  // beyond the length field: ignored
    PackageReader ints(bytes);
    EXPECT_EQ(ints.readInt16(), 5);
    EXPECT_EQ(ints.readInt16(), 0);
    EXPECT_EQ(ReadError(ints, 'h'), kOverReadField);
    EXPECT_EQ(ReadError(ints, 'i'), kOverReadField);
    EXPECT_EQ(ReadError(ints, 's'), kOverReadString);

    PackageWriter one(MSG_SRV_NOTICE);
    one.int32(0);
    auto oneBytes = Bytes(one);
    oneBytes[0] = 10;  // length claims only one byte after the header
    PackageReader partial(oneBytes);
    EXPECT_EQ(ReadError(partial, 's'), kOverReadString) << "one byte cannot hold a string length";
}

TEST(Package, StringLongerThanTheRestOrNegativeRaisesTheStringText) {
    PackageWriter w(MSG_SRV_NOTICE);
    w.string("hello");
    auto bytes = Bytes(w);
    bytes[9] = 6;  // claims one byte more than remains
    PackageReader tooLong(bytes);
    EXPECT_EQ(ReadError(tooLong, 's'), kOverReadString);

    bytes[9] = 0xFF;
    bytes[10] = 0xFF;  // -1
    PackageReader negative(bytes);
    EXPECT_EQ(ReadError(negative, 's'), kOverReadString);
}

TEST(Package, WrongChecksumIsNotARefusal) {
    PackageWriter w(MSG_SRV_AI_GAME);
    w.int32(999);
    auto bytes = Bytes(w);
    bytes[8] ^= 0x5A;
    PackageReader r(bytes);
    EXPECT_EQ(r.readInt32(), 999);
}

TEST(Package, LengthFieldBeyondTheReceivedBytesIsHeldToThem) {
    PackageWriter w(MSG_SRV_CHAT);
    w.string("x");
    auto bytes = Bytes(w);
    bytes[0] = 0xFF;
    bytes[1] = 0x7F;  // claims 32767 bytes
    PackageReader r(bytes);
    EXPECT_EQ(r.readString(), "x");
    EXPECT_EQ(ReadError(r, 'i'), kOverReadField);

    std::vector<std::uint8_t> stub = {0xFF, 0xFF, 0xFF, 0x7F, 0xEF};
    PackageReader tiny(stub);
    EXPECT_EQ(tiny.type(), 0);
    EXPECT_EQ(ReadError(tiny, 'h'), kOverReadField);
}

TEST(Package, GrowsPastTwentyKilobytesForLongTexts) {
    std::string action(30000, 'a');
    PackageWriter w(MSG_SRV_WATCH_STATE);
    w.int32(7).string(action).string(action).int32(-1);
    auto bytes = Bytes(w);
    EXPECT_EQ(bytes.size(), 9u + 4 + 2 * (2 + 30000) + 4);
    PackageReader r(bytes);
    EXPECT_EQ(r.readInt32(), 7);
    EXPECT_EQ(r.readString(), action);
    EXPECT_EQ(r.readString(), action);
    EXPECT_EQ(r.readInt32(), -1);
}

TEST(Package, OverlongTextIsCutAtACharacterBoundaryAndStillReadable) {
    std::string ascii(40000, 'q');
    PackageWriter w(MSG_GAME_DEAL);
    w.string(ascii).int32(42);
    auto bytes = Bytes(w);
    PackageReader r(bytes);
    EXPECT_EQ(r.readString(), std::string(32767, 'q'));
    EXPECT_EQ(r.readInt32(), 42) << "the field after the cut text is intact";

    // "x" then double-byte characters: the 32767-byte limit falls inside a character.
    std::string gbk = "x";
    for (int i = 0; i < 20000; ++i) gbk += "\xC4\xE3";
    PackageWriter g(MSG_SRV_CHAT);
    g.string(gbk);
    auto gbytes = Bytes(g);
    PackageReader gr(gbytes);
    std::string read = gr.readString();
    EXPECT_EQ(read.size(), 32767u);
    EXPECT_EQ(read, gbk.substr(0, 32767));
    std::string even = std::string(2, 'y') + gbk.substr(1);
    EXPECT_EQ(CutAtGbkBoundary(even, 32767).size(), 32766u) << "never splits a double-byte character";
}
