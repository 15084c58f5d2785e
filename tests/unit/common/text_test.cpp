#include "text.h"

#include <gtest/gtest.h>

namespace lmn {
namespace {

TEST(GbkText, RoundTripsChineseThroughUtf8) {
    std::string gbk = "\xC4\xE3\xBA\xC3";  // 你好
    std::string utf8 = GbkToUtf8(gbk);
    EXPECT_EQ(utf8, "\xE4\xBD\xA0\xE5\xA5\xBD");
    EXPECT_EQ(Utf8ToGbk(utf8), gbk);
}

TEST(GbkText, InvalidBytesAreReplacedNotDropped) {
    EXPECT_EQ(GbkToUtf8("a\xFF"
                        "b"),
              "a\xEF\xBF\xBD"
              "b");
    EXPECT_EQ(Utf8ToGbk("a\xF0\x9F\x98\x80z"), "a?z");  // an emoji has no GBK form
    EXPECT_EQ(Utf8ToGbk("x\xC3"), "x?");                // cut in the middle of a character
}

TEST(GbkText, LowerCaseLeavesTrailBytesAlone) {
    // 丂 is 0x81 0x40 and 乀 is 0x81 0x41: the trail byte 0x41 ('A') must not become 'a'.
    std::string text = "AbC\x81\x41Z";
    EXPECT_EQ(GbkToLower(text), "abc\x81\x41z");
    EXPECT_EQ(GbkToLower("UserName=Abc"), "username=abc");
}

TEST(GbkText, AtoIReadsLikeTheCLibrary) {
    EXPECT_EQ(AtoI("  42abc"), 42);
    EXPECT_EQ(AtoI("-7"), -7);
    EXPECT_EQ(AtoI("abc"), 0);
    EXPECT_EQ(AtoI(""), 0);
    EXPECT_EQ(AtoI("99999999999999999999"), 2147483647);
    EXPECT_EQ(AtoI("-99999999999999999999"), -2147483647 - 1);
}

TEST(GbkText, SplitKeepsEmptyPieces) {
    EXPECT_EQ(Split("a;;b;", ';'), (std::vector<std::string>{"a", "", "b", ""}));
    EXPECT_EQ(ReplaceAll("a\\b\\c", "\\", "/"), "a/b/c");
    EXPECT_EQ(Trim("  x y \r\n"), "x y");
}

}  // namespace
}  // namespace lmn
