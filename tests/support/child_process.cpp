#include "child_process.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <thread>

extern char** environ;

namespace lmn::test {

namespace {

// The test's environment with the options' changes, as "KEY=value" lines.
std::vector<std::string> Environment(const SpawnOptions& options) {
    std::vector<std::string> lines;
    for (char** e = environ; *e; ++e) {
        const std::string line = *e;
        const std::string key = line.substr(0, line.find('='));
        bool replaced = options.env.count(key) > 0;
        for (const auto& gone : options.unsetEnv) replaced = replaced || gone == key;
        if (!replaced) lines.push_back(line);
    }
    for (const auto& [key, value] : options.env) lines.push_back(key + "=" + value);
    return lines;
}

std::vector<char*> Pointers(std::vector<std::string>& texts) {
    std::vector<char*> out;
    for (auto& t : texts) out.push_back(t.data());
    out.push_back(nullptr);
    return out;
}

// In the child: reports errno through the pipe and ends.
[[noreturn]] void Fail(int reportFd) {
    const int error = errno;
    ssize_t written = write(reportFd, &error, sizeof error);
    (void)written;
    _exit(127);
}

}  // namespace

ChildProcess::ChildProcess(const std::vector<std::string>& argv, const SpawnOptions& options) {
    if (argv.empty()) return;
    // Everything the child needs is made before the fork: after it, only calls that are safe
    // in the child of a threaded process.
    std::vector<std::string> args = argv;
    std::vector<std::string> env = Environment(options);
    std::vector<char*> argp = Pointers(args);
    std::vector<char*> envp = Pointers(env);
    int out = -1;
    if (!options.output.empty()) {
        out = open(options.output.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
        if (out < 0) return;
    }
    // Closed by a successful exec; otherwise the child writes its errno into it.
    int report[2];
    if (pipe2(report, O_CLOEXEC) != 0) {
        if (out >= 0) close(out);
        return;
    }
    pid_ = fork();
    if (pid_ == 0) {
        close(report[0]);
        if (!options.dir.empty() && chdir(options.dir.c_str()) != 0) Fail(report[1]);
        if (out >= 0) {
            if (dup2(out, STDOUT_FILENO) < 0) Fail(report[1]);
            if (!options.keepStderr && dup2(out, STDERR_FILENO) < 0) Fail(report[1]);
        }
        execvpe(argp[0], argp.data(), envp.data());
        Fail(report[1]);
    }
    close(report[1]);
    if (out >= 0) close(out);
    if (pid_ < 0) {
        close(report[0]);
        return;
    }
    int error = 0;
    ssize_t n;
    do {
        n = read(report[0], &error, sizeof error);
    } while (n < 0 && errno == EINTR);
    close(report[0]);
    if (n > 0) {
        waitpid(pid_, nullptr, 0);
        pid_ = -1;
        return;
    }
    started_ = true;
}

ChildProcess::~ChildProcess() {
    Stop();
}

ChildProcess::ChildProcess(ChildProcess&& other) noexcept
    : pid_(other.pid_), started_(other.started_), exitCode_(other.exitCode_) {
    other.pid_ = -1;
}

ChildProcess& ChildProcess::operator=(ChildProcess&& other) noexcept {
    if (this != &other) {
        Stop();
        pid_ = other.pid_;
        started_ = other.started_;
        exitCode_ = other.exitCode_;
        other.pid_ = -1;
    }
    return *this;
}

bool ChildProcess::Running() {
    if (pid_ <= 0) return false;
    int status = 0;
    if (waitpid(pid_, &status, WNOHANG) != pid_) return true;
    exitCode_ = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    pid_ = -1;
    return false;
}

int ChildProcess::WaitForExit(int timeoutMs) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (Running()) {
        if (std::chrono::steady_clock::now() >= end) return -1;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return exitCode_;
}

void ChildProcess::Stop(int graceMs) {
    if (!Running()) return;
    kill(pid_, SIGTERM);
    WaitForExit(graceMs);
    if (pid_ <= 0) return;
    kill(pid_, SIGKILL);
    int status = 0;
    waitpid(pid_, &status, 0);
    exitCode_ = -1;
    pid_ = -1;
}

}  // namespace lmn::test
