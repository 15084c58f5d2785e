// The outside-address self-test: a blocking connect to the address on the listening port.
#include "out_ip_self_test.h"

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace lmn::game {
namespace {

// A listening socket on 127.0.0.1 and a free port; closes it on request.
class Listener {
  public:
    Listener() {
        fd_ = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        bind(fd_, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
        listen(fd_, 4);
        socklen_t len = sizeof addr;
        getsockname(fd_, reinterpret_cast<sockaddr*>(&addr), &len);
        port_ = ntohs(addr.sin_port);
    }
    ~Listener() { Close(); }
    void Close() {
        if (fd_ >= 0) close(fd_);
        fd_ = -1;
    }
    int port() const { return port_; }

  private:
    int fd_ = -1;
    int port_ = 0;
};

TEST(OutIpSelfTest, AListeningPortIsReachedAndAClosedOneIsNot) {
    Listener listener;
    ASSERT_GT(listener.port(), 0);
    EXPECT_TRUE(CanReach("127.0.0.1", listener.port()));
    listener.Close();
    EXPECT_FALSE(CanReach("127.0.0.1", listener.port()));
}

TEST(OutIpSelfTest, AnOutsideAddressThatIsNoAddressFailsWithoutConnecting) {
    Listener listener;
    for (const char* address : {"", "localhost", "127.0.0.1 ", "999.1.1.1", "203.0.113.9\nx"})
        EXPECT_FALSE(CanReach(address, listener.port())) << "[" << address << "]";
}

}  // namespace
}  // namespace lmn::game
