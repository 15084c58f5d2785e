#include "percent_decode.h"

#include <gtest/gtest.h>

namespace lmn {
namespace {

TEST(PercentDecode, EscapesOfEitherCaseBecomeTheirBytes) {
    EXPECT_EQ(PercentDecode("%5b%5D%e4%B8%AD"), "[]\xe4\xb8\xad");
    EXPECT_EQ(PercentDecode("a%00b"), std::string("a\0b", 3));
    EXPECT_EQ(PercentDecode("%41"), "A");
}

TEST(PercentDecode, APercentWithoutTwoHexDigitsStays) {
    EXPECT_EQ(PercentDecode("100%"), "100%");
    EXPECT_EQ(PercentDecode("%4"), "%4");
    EXPECT_EQ(PercentDecode("%zz%4g%"), "%zz%4g%");
    // Decoded once only: "%2541" is "%41", not "A".
    EXPECT_EQ(PercentDecode("%2541"), "%41");
}

TEST(PercentDecode, PlusIsABlankOnlyWhenAskedAndAnEscapedPlusStaysAPlus) {
    EXPECT_EQ(PercentDecode("a+b"), "a+b");
    EXPECT_EQ(PercentDecode("a+b", true), "a b");
    EXPECT_EQ(PercentDecode("1%2B1+%3D+2", true), "1+1 = 2");
}

TEST(PercentDecode, EscapeDetectionLooksNoFurtherThanTheText) {
    EXPECT_TRUE(IsPercentEscapeAt("x%4F", 1));
    EXPECT_FALSE(IsPercentEscapeAt("x%4F", 0));
    EXPECT_FALSE(IsPercentEscapeAt(std::string_view("%4F", 2), 0));
    EXPECT_FALSE(IsPercentEscapeAt("%4", 0));
    EXPECT_FALSE(IsPercentEscapeAt("%", 5));
}

}  // namespace
}  // namespace lmn
