#include "client_process.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <thread>

namespace lmn::shell::test {

namespace {

pid_t Spawn(const std::vector<std::string>& argv, const std::string& dir,
            const std::map<std::string, std::string>& env, const std::string& logPath) {
    const pid_t pid = fork();
    if (pid != 0) return pid;
    if (!dir.empty() && chdir(dir.c_str()) != 0) _exit(126);
    for (const auto& [key, value] : env) setenv(key.c_str(), value.c_str(), 1);
    const int log = open(logPath.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
    if (log >= 0) {
        dup2(log, STDOUT_FILENO);
        dup2(log, STDERR_FILENO);
    }
    std::vector<char*> args;
    for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    execv(args[0], args.data());
    _exit(127);
}

void StopProcess(pid_t& pid) {
    if (pid <= 0) return;
    kill(pid, SIGTERM);
    for (int i = 0; i < 300; ++i) {
        if (waitpid(pid, nullptr, WNOHANG) == pid) {
            pid = -1;
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    pid = -1;
}

}  // namespace

ClientProcess::ClientProcess(const std::string& installDir, const std::vector<std::string>& args,
                             const std::map<std::string, std::string>& env) {
    const std::string program = installDir + "LMN_KX.exe";
    std::filesystem::copy_file(LMN_KX_BIN, program, std::filesystem::copy_options::overwrite_existing);
    std::vector<std::string> argv = {program};
    argv.insert(argv.end(), args.begin(), args.end());
    pid_ = Spawn(argv, installDir, env, installDir + "client.log");
}

ClientProcess::~ClientProcess() {
    Stop();
}

bool ClientProcess::Running() {
    if (pid_ <= 0) return false;
    int status = 0;
    if (waitpid(pid_, &status, WNOHANG) == pid_) {
        exitCode_ = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        pid_ = -1;
        return false;
    }
    return true;
}

int ClientProcess::WaitForExit(int timeoutMs) {
    WaitUntil([this] { return !Running(); }, timeoutMs);
    return exitCode_;
}

void ClientProcess::Stop() {
    StopProcess(pid_);
}

VirtualDisplay::VirtualDisplay() {
    if (access("/usr/bin/Xvfb", X_OK) != 0) return;
    for (int n = 90 + getpid() % 300; n < 1000; n += 7) {
        const std::string lock = "/tmp/.X" + std::to_string(n) + "-lock";
        if (access(lock.c_str(), F_OK) == 0) continue;
        name_ = ":" + std::to_string(n);
        pid_ = Spawn({"/usr/bin/Xvfb", name_, "-screen", "0", "1280x800x24", "-nolisten", "tcp"}, "", {},
                     "/dev/null");
        const std::string socket = "/tmp/.X11-unix/X" + std::to_string(n);
        if (WaitUntil([&] { return access(socket.c_str(), F_OK) == 0; }, 10000)) return;
        StopProcess(pid_);
    }
}

VirtualDisplay::~VirtualDisplay() {
    StopProcess(pid_);
}

std::string VirtualDisplay::Run(const std::string& command) const {
    const std::string line = "DISPLAY=" + name_ + " " + command;
    std::string out;
    if (FILE* pipe = popen(line.c_str(), "r")) {
        char buf[4096];
        size_t n;
        while ((n = fread(buf, 1, sizeof buf, pipe)) > 0) out.append(buf, n);
        pclose(pipe);
    }
    return out;
}

}  // namespace lmn::shell::test
