// A program a test starts and stops again: started with fork and exec, ended with SIGTERM and,
// when it does not go within a bound, SIGKILL; always reaped, so no zombie is left behind.
#pragma once

#include <sys/types.h>

#include <map>
#include <string>
#include <vector>

namespace lmn::test {

struct SpawnOptions {
    std::string dir{};                         // working folder; empty keeps the test's own
    std::map<std::string, std::string> env{};  // set in the program's environment
    std::vector<std::string> unsetEnv{};       // taken out of it
    std::string output{};                      // file that takes stdout and stderr (appended)
    bool keepStderr = false;                   // with output: only stdout goes to the file
};

class ChildProcess {
  public:
    ChildProcess() = default;
    // argv[0] is a path, or a name looked up in PATH.
    explicit ChildProcess(const std::vector<std::string>& argv, const SpawnOptions& options = {});
    ~ChildProcess();
    ChildProcess(ChildProcess&& other) noexcept;
    ChildProcess& operator=(ChildProcess&& other) noexcept;

    // False when the program could not be started: nothing to run, or the folder or output
    // file could not be used.
    bool started() const { return started_; }
    pid_t pid() const { return pid_; }
    // Reaps the program when it has ended.
    bool Running();
    // Waits up to timeoutMs for the program to end (it is not stopped); its exit code, or -1
    // when it still runs or was ended by a signal.
    int WaitForExit(int timeoutMs);
    int exitCode() const { return exitCode_; }
    // SIGTERM, up to graceMs to end, then SIGKILL.
    void Stop(int graceMs = 3000);

  private:
    pid_t pid_ = -1;
    bool started_ = false;
    int exitCode_ = -1;
};

}  // namespace lmn::test
