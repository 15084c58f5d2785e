#include "parameters.h"

#include <gtest/gtest.h>

using lmn::maker::MakerParameters;
using lmn::maker::ParseParameters;
using lmn::maker::SplitString;

namespace {

using Pieces = std::vector<std::string>;

TEST(SplitString, KeepsPiecesBeforeEachSeparatorOnly) {
    EXPECT_EQ(SplitString("a;b;", 10), (Pieces{"a", "b"}));
    EXPECT_EQ(SplitString(";", 10), (Pieces{""}));
    EXPECT_EQ(SplitString("a;;b;", 10), (Pieces{"a", "", "b"}));
    EXPECT_EQ(SplitString("a;tail", 10), (Pieces{"a"}));
    EXPECT_EQ(SplitString("", 10), Pieces{});
    EXPECT_EQ(SplitString("1;2;3;4;", 2), (Pieces{"1", "2"}));
}

TEST(ParseParameters, FieldsInOrderFillEveryMember) {
    MakerParameters p =
        ParseParameters("url=http://127.0.0.9/game/zrk/;username=alice;userid=42;type=1;arg=17");
    EXPECT_EQ(p.url, "http://127.0.0.9/game/zrk/");
    EXPECT_EQ(p.userName, "alice");
    EXPECT_EQ(p.userId, 42);
    EXPECT_EQ(p.type, 1);
    EXPECT_EQ(p.arg, "17");
    EXPECT_EQ(lmn::maker::ArgCardId(p), 17);
}

TEST(ParseParameters, FieldsAreTakenByPositionNotByKey) {
    MakerParameters p = ParseParameters("type=1;url=http://h/game/zrk/;username=bob;userid=5;arg=3");
    EXPECT_EQ(p.url, "type=1");
    EXPECT_EQ(p.userName, "url=http://h/game/zrk/");
    EXPECT_EQ(p.userId, 0);  // "username=bob" has no leading digits
    EXPECT_EQ(p.type, 0);    // "userid=5" loses no "type=" and reads as 0
    EXPECT_EQ(p.arg, "3");
}

TEST(ParseParameters, KeyTextInsideItsOwnValueIsRemoved) {
    MakerParameters p =
        ParseParameters("url=http://h/x?url=y/;username=ausername=b;userid=7;type=2;arg=arg=9");
    EXPECT_EQ(p.url, "http://h/x?y/");
    EXPECT_EQ(p.userName, "ab");
    EXPECT_EQ(p.arg, "9");
}

TEST(ParseParameters, MissingFieldsAreEmptyAndZero) {
    MakerParameters none = ParseParameters("");
    EXPECT_TRUE(none.url.empty());
    EXPECT_TRUE(none.userName.empty());
    EXPECT_TRUE(none.arg.empty());
    EXPECT_EQ(none.userId, 0);
    EXPECT_EQ(none.type, 0);

    MakerParameters two = ParseParameters("url=http://h/;username=carol");
    EXPECT_EQ(two.userName, "carol");
    EXPECT_EQ(two.type, 0);
    EXPECT_TRUE(two.arg.empty());
}

TEST(ParseParameters, NumbersReadLikeAtoi) {
    MakerParameters p = ParseParameters("url=;username=;userid=  -12xyz;type=3abc;arg=0");
    EXPECT_EQ(p.userId, -12);
    EXPECT_EQ(p.type, 3);
    EXPECT_EQ(lmn::maker::ArgCardId(p), 0);
    EXPECT_EQ(lmn::maker::ArgCardId(ParseParameters("url=;username=;userid=;type=1;arg=x5")), 0);
    EXPECT_EQ(lmn::maker::ArgCardId(ParseParameters("url=;username=;userid=;type=1;arg=-4")), 0);
}

TEST(ParseParameters, FieldsPastTheTenthAreIgnored) {
    std::string text = "url=u/;username=n;userid=1;type=2;arg=3";
    for (int i = 0; i < 50; ++i) text += ";extra" + std::to_string(i);
    MakerParameters p = ParseParameters(text);
    EXPECT_EQ(p.url, "u/");
    EXPECT_EQ(p.arg, "3");
    EXPECT_EQ(SplitString(text + ";", 10).size(), 10u);
}

TEST(ParseParameters, GbkUserNameStaysBytes) {
    MakerParameters p = ParseParameters("url=u/;username=\xD5\xC5\xC8\xFD;userid=1;type=1;arg=2");
    EXPECT_EQ(p.userName, "\xD5\xC5\xC8\xFD");
}

}  // namespace
