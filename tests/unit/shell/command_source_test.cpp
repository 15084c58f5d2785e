// Which frames may give commands: the game server's hosts and the program's own local pages.
#include "command_source.h"

#include <gtest/gtest.h>

#include "shell_fixture.h"

namespace lmn::shell::test {
namespace {

TEST(CommandSource, HostsAreComparedWithoutSchemePortUserOrLetterCase) {
    EXPECT_EQ(UrlHost("http://Web.Example:8080/zrk/"), "web.example");
    EXPECT_EQ(UrlHost("https://user:pw@web/x?y"), "web");
    EXPECT_EQ(UrlHost("http://evil@web.example/"), "web.example");
    EXPECT_EQ(UrlHost("http://web\\evil/"), "web");
    EXPECT_EQ(UrlHost("http://[::1]:80/"), "[::1]");
    EXPECT_EQ(UrlHost("web/zrk/"), "");

    const std::string base = "http://web/game/zrk/", room = "http://rooms:81/";
    for (const char* allowed : {"http://web", "http://web/game/zrk/battle.php", "https://WEB:8080/other/",
                                "http://rooms/", "file:///opt/lmn/open.html", "file://", "FILE:///x/pt.html"})
        EXPECT_TRUE(CommandSourceAllowed(allowed, base, room)) << allowed;
    for (const char* refused : {"http://ads.example/", "http://web.ads.example/", "http://webx/",
                                "http://ads/?u=http://web/", "null", "", "data:text/html,x", "about:blank"})
        EXPECT_FALSE(CommandSourceAllowed(refused, base, room)) << refused;
    EXPECT_FALSE(CommandSourceAllowed("http://ads/", "", "")) << "no base URL: only local pages";
}

class CommandSourceOfTheClient : public ShellFixture {};

TEST_F(CommandSourceOfTheClient, FollowsTheCurrentBaseAndRoomAndSaysWhatItIgnores) {
    OpenToClientPage();
    const std::string base = dlg->context().BaseUrl();
    EXPECT_TRUE(dlg->AcceptsCommandsFrom(base + "index.php"));
    EXPECT_FALSE(dlg->AcceptsCommandsFrom("http://rooms/x.php"));

    PageSends("[enter_room]&id=3&serverid=2&servername=east&baseurl=http://rooms/");
    EXPECT_TRUE(dlg->AcceptsCommandsFrom("http://rooms/x.php")) << "the room's base URL";
    PageSends("[change_base_url]&url=http://other/zrk/");
    EXPECT_TRUE(dlg->AcceptsCommandsFrom("http://other/"));
    EXPECT_FALSE(dlg->AcceptsCommandsFrom(base));

    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(dlg->AcceptsCommandsFrom("http://ads.example/banner.html"));
    const std::string said = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1);
    EXPECT_NE(said.find("http://ads.example/banner.html"), std::string::npos) << said;
}

}  // namespace
}  // namespace lmn::shell::test
