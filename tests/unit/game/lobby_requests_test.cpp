// The lobby script's request addresses: the operation in brackets, the parameters as they stand.
#include "lobby_requests.h"

#include <gtest/gtest.h>

namespace lmn::game {
namespace {

constexpr const char* kBase = "http://web/zrk/";

TEST(LobbyRequests, EveryOperationHasItsExactAddress) {
    EXPECT_EQ(AutoGroupRequest(kBase), "http://web/zrk/client_process/process.php?type=[auto_group]&arc=0");
    EXPECT_EQ(AddMatchRequest(kBase, 42, 77),
              "http://web/zrk/client_process/process.php?type=[add_match]&userid1=42&userid2=77");
    EXPECT_EQ(DeleteMatchRequest(kBase, 42, 77),
              "http://web/zrk/client_process/process.php?type=[delete_match]&userid1=42&userid2=77");
    EXPECT_EQ(QuitMatchRequest(kBase), "http://web/zrk/client_process/process.php?type=[quit_match]");
    EXPECT_EQ(RequestOpponentRequest(kBase),
              "http://web/zrk/client_process/process.php?type=[request_oppoent]");
    EXPECT_EQ(AddActivepRequest(kBase, 42, "10.0.0.5", "/home/p/game", true),
              "http://web/zrk/client_process/process.php?type=[add_activep]&userid=42&ip=10.0.0.5"
              "&path=/home/p/game&binip2outip=1");
    EXPECT_EQ(
        AddActivepRequest(kBase, 42, "", "", false),
        "http://web/zrk/client_process/process.php?type=[add_activep]&userid=42&ip=&path=&binip2outip=0");
}

TEST(LobbyRequests, AddressReportCarriesTheTickCountAsASignedNumber) {
    PlayerContext player;
    player.userId = 42;
    player.userName = "ann";
    player.serverId = 2;
    player.roomId = 3;
    EXPECT_EQ(P2pInfoRequest(kBase, player, 123456),
              "http://web/zrk/client_process/process.php?type=[fill_user_all_p2p_info]&userid=42&username=ann"
              "&srvareaid=2&roomid=3&flag=123456");
    // After 24.8 days of uptime the tick count passes 2^31: it is sent as the int it is read into.
    EXPECT_NE(P2pInfoRequest(kBase, player, 0x80000001u).find("&flag=-2147483647"), std::string::npos);
}

TEST(LobbyRequests, ContentIsInsertedUnescaped) {
    // An address report is an opaque text of the lobby: "&", "=" and spaces travel as they are.
    EXPECT_EQ(P2pInfoSpecialRequest(kBase, "ip=1.2.3.4&port=11978 x"),
              "http://web/zrk/client_process/process.php?type=[fill_user_all_p2p_info_special]"
              "&content=ip=1.2.3.4&port=11978 x");
}

}  // namespace
}  // namespace lmn::game
