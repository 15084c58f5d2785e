// The real LMN_KX.exe, copied into a fresh install folder and started there, and an Xvfb
// display for the tests that look at the window.
#pragma once

#include <sys/types.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "wait_until.h"

namespace lmn::shell::test {

class ClientProcess {
  public:
    // Copies the program into installDir and starts it with args and these environment additions.
    ClientProcess(const std::string& installDir, const std::vector<std::string>& args,
                  const std::map<std::string, std::string>& env);
    ~ClientProcess();
    ClientProcess(const ClientProcess&) = delete;
    ClientProcess& operator=(const ClientProcess&) = delete;

    bool Running();
    pid_t pid() const { return pid_; }
    // Waits (bounded) for the process to end; its exit code, or -1.
    int WaitForExit(int timeoutMs);
    void Stop();

  private:
    pid_t pid_ = -1;
    int exitCode_ = -1;
};

class VirtualDisplay {
  public:
    VirtualDisplay();
    ~VirtualDisplay();
    VirtualDisplay(const VirtualDisplay&) = delete;
    VirtualDisplay& operator=(const VirtualDisplay&) = delete;

    bool ok() const { return pid_ > 0; }
    const std::string& name() const { return name_; }  // ":N"
    // Runs a command line with DISPLAY set; its standard output.
    std::string Run(const std::string& command) const;

  private:
    pid_t pid_ = -1;
    std::string name_;
};

using lmn::test::WaitUntil;

}  // namespace lmn::shell::test
