#include "xvfb_display.h"

#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <thread>

namespace lmn::companions::test {

namespace {

bool SocketExists(int display) {
    struct stat st;
    return stat(("/tmp/.X11-unix/X" + std::to_string(display)).c_str(), &st) == 0 ||
           stat(("/tmp/.X" + std::to_string(display) + "-lock").c_str(), &st) == 0;
}

}  // namespace

XvfbDisplay::XvfbDisplay() {
    int display = 300 + static_cast<int>(getpid() % 400);
    while (SocketExists(display)) ++display;
    name_ = ":" + std::to_string(display);
    pid_ = fork();
    if (pid_ == 0) {
        execlp("Xvfb", "Xvfb", name_.c_str(), "-nolisten", "tcp", "-screen", "0", "320x240x24", nullptr);
        _exit(127);
    }
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    std::string socket = "/tmp/.X11-unix/X" + std::to_string(display);
    struct stat st;
    while (std::chrono::steady_clock::now() < deadline) {
        if (stat(socket.c_str(), &st) == 0) {
            ready_ = true;
            break;
        }
        if (waitpid(pid_, nullptr, WNOHANG) == pid_) {
            pid_ = -1;
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    setenv("DISPLAY", name_.c_str(), 1);
}

XvfbDisplay::~XvfbDisplay() {
    if (pid_ <= 0) return;
    kill(pid_, SIGTERM);
    waitpid(pid_, nullptr, 0);
}

}  // namespace lmn::companions::test
