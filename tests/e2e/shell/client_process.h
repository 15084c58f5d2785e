// The real LMN_KX.exe, copied into a fresh install folder and started there.
#pragma once

#include <sys/types.h>

#include <map>
#include <string>
#include <vector>

#include "child_process.h"
#include "wait_until.h"
#include "xvfb_server.h"

namespace lmn::shell::test {

class ClientProcess {
  public:
    // Copies the program into installDir and starts it with args and these environment additions.
    ClientProcess(const std::string& installDir, const std::vector<std::string>& args,
                  const std::map<std::string, std::string>& env);

    bool Running();
    pid_t pid() const { return process_.pid(); }
    // Waits (bounded) for the process to end; its exit code, or -1.
    int WaitForExit(int timeoutMs);
    void Stop();

  private:
    lmn::test::ChildProcess process_;
};

using lmn::test::WaitUntil;
using lmn::test::XvfbServer;

}  // namespace lmn::shell::test
