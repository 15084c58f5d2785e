#include "xvfb_server.h"

#include <gtest/gtest.h>
#include <unistd.h>

namespace lmn::test {
namespace {

bool Installed(const char* program) {
    return access((std::string("/usr/bin/") + program).c_str(), X_OK) == 0;
}

TEST(XvfbServer, TwoServersGetDisplaysOfTheirOwnWithTheAskedScreenAndGoWithTheirOwners) {
    if (!Installed("Xvfb") || !Installed("xdpyinfo")) GTEST_SKIP() << "no Xvfb or xdpyinfo";
    std::string socket;
    {
        XvfbServer small("320x240x24");
        XvfbServer large("640x480x24");
        ASSERT_TRUE(small.ok());
        ASSERT_TRUE(large.ok());
        EXPECT_NE(small.name(), large.name());
        ASSERT_EQ(small.name()[0], ':');
        EXPECT_NE(small.Run("xdpyinfo").find("dimensions:    320x240 pixels"), std::string::npos);
        EXPECT_NE(large.Run("xdpyinfo").find("dimensions:    640x480 pixels"), std::string::npos);
        socket = "/tmp/.X11-unix/X" + small.name().substr(1);
        EXPECT_EQ(access(socket.c_str(), F_OK), 0);
    }
    EXPECT_NE(access(socket.c_str(), F_OK), 0);
}

}  // namespace
}  // namespace lmn::test
