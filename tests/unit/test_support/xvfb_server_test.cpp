#include "xvfb_server.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <string>

namespace lmn::test {
namespace {

bool Installed(const char* program) {
    return access((std::string("/usr/bin/") + program).c_str(), X_OK) == 0;
}

TEST(XvfbServer, TwoServersGetDisplaysOfTheirOwnWithTheAskedScreenAndGoWithTheirOwners) {
    if (!Installed("Xvfb") || !Installed("xdpyinfo")) GTEST_SKIP() << "no Xvfb or xdpyinfo";
    std::string socket;
    pid_t server = 0;
    {
        XvfbServer small("320x240x24");
        XvfbServer large("640x480x24");
        ASSERT_TRUE(small.ok());
        ASSERT_TRUE(large.ok());
        EXPECT_NE(small.name(), large.name());
        ASSERT_EQ(small.name()[0], ':');
        EXPECT_NE(small.Run("xdpyinfo").find("dimensions:    320x240 pixels"), std::string::npos);
        EXPECT_NE(large.Run("xdpyinfo").find("dimensions:    640x480 pixels"), std::string::npos);
        // Command lines keep their own quotes and pipes, and see the server as their display.
        EXPECT_EQ(small.Run("echo 'it'\\''s' \"$DISPLAY\" | tr i I"), "It's " + small.name() + "\n");
        socket = "/tmp/.X11-unix/X" + small.name().substr(1);
        EXPECT_EQ(access(socket.c_str(), F_OK), 0);
        server = small.pid();
        ASSERT_GT(server, 0);
        EXPECT_EQ(kill(server, 0), 0);
    }
    // Gone with its owner. Its display number may already serve another test's server, so the
    // server's own process is what is checked.
    EXPECT_NE(kill(server, 0), 0);
}

}  // namespace
}  // namespace lmn::test
