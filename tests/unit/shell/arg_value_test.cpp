#include "arg_value.h"

#include <gtest/gtest.h>

#include "lobby_shared.h"
#include "text.h"

namespace lmn::shell {
namespace {

TEST(GetArgValue, FirstOccurrenceOfKeyEqualsAnywhereWins) {
    EXPECT_EQ(GetArgValue("[x]&userid=5&id=7", "id"), "5")
        << "id matches inside userid when that comes first";
    EXPECT_EQ(GetArgValue("[x]&id=7&userid=5", "id"), "7");
    EXPECT_EQ(GetArgValue("[x]&ab=1&b=2", "b"), "1");
}

TEST(GetArgValue, KeyAndValueAreComparedAndReturnedInLowerCase) {
    EXPECT_EQ(GetArgValue("[x]&UserName=Abc&k=1", "username"), "abc");
    EXPECT_EQ(GetArgValue("[x]&username=Abc", "USERNAME"), "abc");
    // The trail byte of a double-byte character may look like a capital letter; it is kept.
    const std::string name = Utf8ToGbk("中A");  // "\xd6\xd0" + 'A'
    const std::string withTrail = "\x95\x41";   // a GBK character whose trail byte is 'A'
    EXPECT_EQ(GetArgValue("[x]&n=" + name + withTrail, "n"), Utf8ToGbk("中a") + withTrail);
}

TEST(GetArgValue, ValueRunsToTheNextAmpersandOrTheEnd) {
    EXPECT_EQ(GetArgValue("[x]&filename=a.txt", "filename"), "a.txt");
    EXPECT_EQ(GetArgValue("[x]&a=1=2&b=3", "a"), "1=2");
    EXPECT_EQ(GetArgValue("[x]&a=&b=3", "a"), "");
    EXPECT_EQ(GetArgValue("[x]&a", "a"), "");
    EXPECT_EQ(GetArgValue("", "a"), "");
    EXPECT_EQ(GetArgInt("[x]&n=12abc", "n"), 12);
    EXPECT_EQ(GetArgInt("[x]&n=abc", "n"), 0);
    EXPECT_EQ(GetArgInt("[x]", "n"), 0);
}

TEST(ServerAddressReply, OnlyANonZeroIntervalReplacesAddressAndIntervals) {
    LobbyShared lobby;
    EXPECT_FALSE(lobby.ApplyServerAddressReply("RequestIpInterval=0&IP=10.0.0.9"));
    EXPECT_FALSE(lobby.ApplyServerAddressReply(""));
    EXPECT_EQ(lobby.RoomServerAddress(), "127.0.0.1");
    EXPECT_EQ(lobby.RefreshIntervalMs(), 600000);
    EXPECT_EQ(lobby.ConnectIntervalMs(), 300000);

    EXPECT_TRUE(lobby.ApplyServerAddressReply("RequestIpInterval=30&IP=10.0.0.9&ConnectSrvInterval=20"));
    EXPECT_EQ(lobby.RoomServerAddress(), "10.0.0.9");
    EXPECT_EQ(lobby.RefreshIntervalMs(), 30000);
    EXPECT_EQ(lobby.ConnectIntervalMs(), 20000);
}

}  // namespace
}  // namespace lmn::shell
