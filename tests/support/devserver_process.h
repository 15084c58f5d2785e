// Starts the devserver program on a loopback address of its own for one test and stops it
// again. Each instance takes a fresh 127.x.y.z so tests can run side by side on fixed ports.
#pragma once

#include <string>
#include <vector>

#include "child_process.h"

namespace lmn::test {

// A loopback address no other test of this machine is using right now.
std::string UniqueLoopbackHost();

class DevServerProcess {
  public:
    // extraArgs are passed on as they stand, e.g. {"--ai-pairing=1"}.
    explicit DevServerProcess(std::vector<std::string> extraArgs = {},
                              std::string host = UniqueLoopbackHost());
    ~DevServerProcess();
    DevServerProcess(const DevServerProcess&) = delete;
    DevServerProcess& operator=(const DevServerProcess&) = delete;

    bool ok() const { return process_.pid() > 0 && ready_; }
    const std::string& host() const { return host_; }
    const std::string& root() const { return root_; }  // ends with '/'
    std::string baseUrl() const { return "http://" + host_ + "/game/zrk/"; }
    // Lines of ROOT/log/<name>.log.
    std::vector<std::string> LogLines(const std::string& name) const;
    void Stop();

  private:
    std::string host_;
    std::string root_;
    ChildProcess process_;
    bool ready_ = false;
};

}  // namespace lmn::test
