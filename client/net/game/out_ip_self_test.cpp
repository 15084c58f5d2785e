#include "out_ip_self_test.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace lmn::game {

bool CanReach(const std::string& address, int port) {
    sockaddr_in target{};
    target.sin_family = AF_INET;
    target.sin_port = htons(static_cast<std::uint16_t>(port));
    if (inet_pton(AF_INET, address.c_str(), &target.sin_addr) != 1) return false;
    const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return false;
    sockaddr_in local{};
    local.sin_family = AF_INET;
    local.sin_addr.s_addr = htonl(INADDR_ANY);
    const bool ok = bind(fd, reinterpret_cast<sockaddr*>(&local), sizeof local) == 0 &&
                    connect(fd, reinterpret_cast<sockaddr*>(&target), sizeof target) == 0;
    close(fd);
    return ok;
}

std::string OutIpTestLine(bool reached) {
    return reached ? "type=[setting_test_out_ip_sucess]" : "type=[setting_test_out_ip_fail]";
}

}  // namespace lmn::game
