#include "xvfb_session.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <sstream>
#include <thread>

namespace lmn::test {

XvfbSession::XvfbSession() {
    int fds[2];
    if (pipe(fds) != 0) return;
    pid_ = fork();
    if (pid_ == 0) {
        close(fds[0]);
        int devnull = open("/dev/null", O_WRONLY);
        dup2(devnull, STDOUT_FILENO);
        dup2(devnull, STDERR_FILENO);
        std::string fd = std::to_string(fds[1]);
        execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1024x768x24", "-nolisten", "tcp",
               static_cast<char*>(nullptr));
        _exit(127);
    }
    close(fds[1]);
    std::string number;
    char c;
    while (read(fds[0], &c, 1) == 1 && c != '\n') number += c;
    close(fds[0]);
    if (!number.empty()) display_ = ":" + number;
}

XvfbSession::~XvfbSession() {
    if (pid_ <= 0) return;
    kill(pid_, SIGTERM);
    waitpid(pid_, nullptr, 0);
}

std::string XvfbSession::Run(const std::string& command) const {
    std::string full = "DISPLAY=" + display_ + " " + command + " 2>/dev/null";
    FILE* pipe = popen(full.c_str(), "r");
    if (!pipe) return {};
    std::string out;
    char buf[256];
    while (size_t n = fread(buf, 1, sizeof buf, pipe)) out.append(buf, n);
    pclose(pipe);
    return out;
}

std::vector<std::string> XvfbSession::FindWindows(const std::string& titleRegex) const {
    std::istringstream in(Run("xdotool search --onlyvisible --name '" + titleRegex + "'"));
    std::vector<std::string> ids;
    for (std::string id; in >> id;) ids.push_back(id);
    return ids;
}

std::string XvfbSession::WaitForWindow(const std::string& titleRegex, int timeoutMs) const {
    for (int waited = 0; waited < timeoutMs; waited += 50) {
        auto ids = FindWindows(titleRegex);
        if (!ids.empty()) return ids.back();
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return {};
}

bool XvfbSession::PressKey(const std::string& window, const std::string& key) const {
    Run("xdotool windowfocus --sync " + window);
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    Run("xdotool key " + key);
    return true;
}

bool XvfbSession::Screenshot(const std::string& window, const std::string& pngPath) const {
    Run("import -window " + window + " '" + pngPath + "'");
    return access(pngPath.c_str(), F_OK) == 0;
}

}  // namespace lmn::test
