#include "xvfb_server.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>

namespace lmn::test {

namespace {

constexpr int kStartMs = 10000;

// The display number Xvfb writes to fd once it accepts clients; empty when none came in time.
std::string ReadDisplayNumber(int fd) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(kStartMs);
    std::string number;
    for (;;) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(end - std::chrono::steady_clock::now());
        pollfd p{fd, POLLIN, 0};
        if (left.count() <= 0 || poll(&p, 1, static_cast<int>(left.count())) <= 0) return {};
        char c;
        if (read(fd, &c, 1) != 1) return {};
        if (c == '\n') return number;
        if (c < '0' || c > '9') return {};
        number += c;
    }
}

}  // namespace

XvfbServer::XvfbServer(const std::string& screen) {
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0) return;
    // Only the write end goes to Xvfb.
    fcntl(fds[1], F_SETFD, 0);
    // -noreset: without it the server starts over whenever its last client leaves, and a program
    // started in that moment (a card maker replacing the one just closed) cannot connect.
    process_ = ChildProcess({"Xvfb", "-displayfd", std::to_string(fds[1]), "-screen", "0", screen,
                             "-nolisten", "tcp", "-noreset"},
                            {.output = "/dev/null"});
    close(fds[1]);
    const std::string number = process_.started() ? ReadDisplayNumber(fds[0]) : std::string();
    close(fds[0]);
    if (number.empty()) {
        process_.Stop();
        return;
    }
    name_ = ":" + number;
}

std::string XvfbServer::Run(const std::string& command) const {
    // A tool that hangs on a window going away (import, xdotool) ends after a minute instead of
    // holding the test until its own time runs out.
    std::string quoted = "'";
    for (char c : command) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    quoted += "'";
    const std::string line = "DISPLAY=" + name_ + " timeout -k 5 60 sh -c " + quoted;
    std::string out;
    if (FILE* pipe = popen(line.c_str(), "r")) {
        char buf[4096];
        size_t n;
        while ((n = fread(buf, 1, sizeof buf, pipe)) > 0) out.append(buf, n);
        pclose(pipe);
    }
    return out;
}

}  // namespace lmn::test
