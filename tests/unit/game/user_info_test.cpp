// The page's [userinfo] text and the semicolon form it is read in.
#include "user_info.h"

#include <gtest/gtest.h>

#include "text.h"

namespace lmn::game {
namespace {

TEST(SemicolonValue, KeysMatchInAnyCaseAndValuesComeBackLowerCased) {
    EXPECT_EQ(GetSemicolonValue("UserName=Ann;", "username"), "ann");
    EXPECT_EQ(GetSemicolonValue("username=Ann;", "USERNAME"), "ann");
    EXPECT_EQ(GetSemicolonValue("a=1;b=2;", "b"), "2");
    EXPECT_EQ(GetSemicolonValue("a=1;a=2;", "a"), "1") << "the first occurrence counts";
    EXPECT_EQ(GetSemicolonValue("a=;b=2;", "a"), "");
}

TEST(SemicolonValue, AValueWithoutItsClosingSemicolonOrAMissingKeyReadsEmpty) {
    EXPECT_EQ(GetSemicolonValue("a=1;b=2", "b"), "");
    EXPECT_EQ(GetSemicolonValue("a=1;", "b"), "");
    EXPECT_EQ(GetSemicolonValue("", "a"), "");
    EXPECT_EQ(GetSemicolonValue("a", "a"), "");
}

TEST(SemicolonValue, ThePlainSubstringMatchFindsAKeyInsideALongerName) {
    // "userid=" is found inside "myuserid=": the lobby relies on the first hit, whatever it is.
    EXPECT_EQ(GetSemicolonValue("myuserid=5;userid=7;", "userid"), "5");
}

TEST(UserInfo, ThePagesTextGivesIdAndLowerCaseName) {
    const UserInfo info = ParseUserInfo("type=[userinfo]&userinfo=userid[marlowen]42;username[marlowen]Ann;");
    EXPECT_EQ(info.userId, 42);
    EXPECT_EQ(info.userName, "ann");
}

TEST(UserInfo, OddTextsGiveDefinedResults) {
    struct Case {
        const char* text;
        int id;
        const char* name;
    };
    const Case cases[] = {
        {"", 0, ""},
        {"type=[userinfo]", 0, ""},
        {"type=[userinfo]&userinfo=", 0, ""},
        {"type=[userinfo]&USERINFO=UserID[marlowen]7;UserName[marlowen]Bo;", 7, "bo"},
        // Without the prefix the whole text is read.
        {"userid[marlowen]8;username[marlowen]cy;", 8, "cy"},
        // The closing ";" of the name is missing: the name reads empty, the id stands.
        {"type=[userinfo]&userinfo=userid[marlowen]9;username[marlowen]dan", 9, ""},
        {"type=[userinfo]&userinfo=userid[marlowen]abc;username[marlowen]ed;", 0, "ed"},
        {"type=[userinfo]&userinfo=userid[marlowen]-3;username[marlowen]fi;", -3, "fi"},
        {"type=[userinfo]&userinfo=userid[marlowen]99999999999;username[marlowen]g;", 2147483647, "g"},
        // Keys in either order; a name holding "[marlowen]" itself becomes "=".
        {"type=[userinfo]&userinfo=username[marlowen]h[marlowen]i;userid[marlowen]5;", 5, "h=i"},
        // Text before the prefix that looks like a key is dropped with the prefix.
        {"userid=1;type=[userinfo]&userinfo=userid[marlowen]6;username[marlowen]jo;", 6, "jo"},
    };
    for (const Case& c : cases) {
        const UserInfo info = ParseUserInfo(c.text);
        EXPECT_EQ(info.userId, c.id) << c.text;
        EXPECT_EQ(info.userName, c.name) << c.text;
    }
}

TEST(UserInfo, AChineseNameKeepsItsTrailBytes) {
    // "丒" is 0x81 0x45 in GBK: its trail byte is an ASCII 'E' that must not be lowered.
    const std::string name = Utf8ToGbk("丒Zed");
    ASSERT_EQ(name.substr(0, 2), "\x81\x45");
    const UserInfo info =
        ParseUserInfo("type=[userinfo]&userinfo=userid[marlowen]3;username[marlowen]" + name + ";");
    EXPECT_EQ(info.userName, Utf8ToGbk("丒zed"));
}

}  // namespace
}  // namespace lmn::game
