#include "devserver_process.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <thread>

namespace lmn::test {

namespace {

bool PortOpen(const std::string& host, int port) {
    int fd = socket(AF_INET, SOCK_STREAM, 0);
    if (fd < 0) return false;
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_port = htons(static_cast<uint16_t>(port));
    inet_pton(AF_INET, host.c_str(), &addr.sin_addr);
    bool ok = connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0;
    close(fd);
    return ok;
}

}  // namespace

std::string UniqueLoopbackHost() {
    // A lock file per address keeps two test processes from taking the same one; the lock is
    // held (its descriptor left open) for the life of the test process.
    unsigned seed = static_cast<unsigned>(getpid()) * 2654435761u ^
                    static_cast<unsigned>(std::chrono::steady_clock::now().time_since_epoch().count());
    for (int attempt = 0; attempt < 1000; ++attempt) {
        unsigned n = (seed + attempt * 7919u) % (200u * 250u);
        std::string host =
            "127." + std::to_string(10 + n / 250 % 200) + "." + std::to_string(1 + n % 250) + ".1";
        std::string lockPath = "/tmp/lmn-loopback-" + host + ".lock";
        int fd = open(lockPath.c_str(), O_CREAT | O_RDWR, 0666);
        if (fd < 0) continue;
        if (flock(fd, LOCK_EX | LOCK_NB) == 0 && !PortOpen(host, 80) && !PortOpen(host, 20000)) {
            return host;
        }
        close(fd);
    }
    return "127.0.0.1";
}

DevServerProcess::DevServerProcess(std::vector<std::string> extraArgs, std::string host)
    : host_(std::move(host)) {
#ifdef LMN_DEVSERVER_BIN
    char templ[] = "/tmp/lmn-devroot-XXXXXX";
    if (!mkdtemp(templ)) return;
    root_ = std::string(templ) + "/";
    std::vector<std::string> args = {LMN_DEVSERVER_BIN, "--host=" + host_, "--root=" + root_,
                                     std::string("--www=") + LMN_DEVSERVER_WWW};
    args.insert(args.end(), extraArgs.begin(), extraArgs.end());
    process_ = ChildProcess(args, {.output = "/dev/null", .keepStderr = true});
    for (int i = 0; i < 500 && process_.Running(); ++i) {
        if (PortOpen(host_, 80)) {
            ready_ = true;
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
#else
    (void)extraArgs;
#endif
}

DevServerProcess::~DevServerProcess() {
    Stop();
    const char* keep = std::getenv("LMN_KEEP_TMP");
    if (!root_.empty() && !(keep && std::string(keep) == "1")) {
        std::error_code ec;
        std::filesystem::remove_all(root_, ec);
    }
}

void DevServerProcess::Stop() {
    process_.Stop(2000);
}

std::vector<std::string> DevServerProcess::LogLines(const std::string& name) const {
    std::vector<std::string> lines;
    std::ifstream in(root_ + "log/" + name + ".log", std::ios::binary);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

}  // namespace lmn::test
