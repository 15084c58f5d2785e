// The ten-minute presence report and what its reply decides.
#include "presence_report.h"

#include <gtest/gtest.h>

#include "text.h"

namespace lmn::game {
namespace {

class PresenceReport : public ::testing::Test {
  protected:
    PresenceReport() {
        input.baseUrl = "http://web/zrk/";
        input.userId = 42;
        input.path = "/home/Player/Lumenfold";
        input.localIp = "192.168.7.20";
        input.outIp = true;
        input.userName = "ann";
        input.password = "pw";
    }
    std::string Send(const std::string& reply) {
        return SendPresenceReport(
            [&](const std::string& url) {
                asked.push_back(url);
                return reply;
            },
            input);
    }
    PresenceInput input;
    std::vector<std::string> asked;
};

TEST_F(PresenceReport, TheRequestNamesUserAddressPathAndOutsideSetting) {
    Send("ok");
    EXPECT_EQ(asked, std::vector<std::string>{
                         "http://web/zrk/client_process/process.php?type=[add_activep]"
                         "&userid=42&ip=192.168.7.20&path=/home/Player/Lumenfold&binip2outip=1"});
}

TEST_F(PresenceReport, ThePathInAnyLetterCaseOkOrNothingNeedNoLogin) {
    for (const char* reply :
         {"/home/Player/Lumenfold", "/HOME/PLAYER/LUMENFOLD", "/home/player/lumenfold", "ok", ""})
        EXPECT_EQ(Send(reply), "") << reply;
}

TEST_F(PresenceReport, AnyOtherReplyTakesThePageToTheLobbyLogin) {
    const std::string login =
        "http://web/zrk/index.php?type=client&path=/home/Player/Lumenfold&ip=192.168.7.20&username=ann"
        "&password=pw&refresh=1&binip2outip=1";
    for (const char* reply : {"relogin", "OK", "ok ", "/home/Player/Lumenfold/", "/home/Player"})
        EXPECT_EQ(Send(reply), login) << reply;
    input.outIp = false;
    EXPECT_NE(Send("x").find("&refresh=1&binip2outip=0"), std::string::npos);
}

TEST_F(PresenceReport, APathWithChineseComparesByItsAsciiLettersOnly) {
    // "丒" is 0x81 0x45: a reply differing only in the case of that trail byte is another path.
    input.path = Utf8ToGbk("/home/丒/Game");
    EXPECT_TRUE(PresenceReplyAccepted(Utf8ToGbk("/HOME/丒/GAME"), input.path));
    std::string otherCharacter = input.path;
    otherCharacter[7] = 'e';  // 0x81 0x65 is another character
    EXPECT_FALSE(PresenceReplyAccepted(otherCharacter, input.path));
}

}  // namespace
}  // namespace lmn::game
