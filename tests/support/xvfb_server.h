// An X server of its own for one test: Xvfb on a display number it picks itself, stopped with
// the object.
#pragma once

#include <string>

#include "child_process.h"

namespace lmn::test {

class XvfbServer {
  public:
    // screen as Xvfb takes it: width x height x depth.
    explicit XvfbServer(const std::string& screen = "1280x800x24");
    XvfbServer(const XvfbServer&) = delete;
    XvfbServer& operator=(const XvfbServer&) = delete;

    // False when Xvfb is missing or did not come up within ten seconds.
    bool ok() const { return !name_.empty(); }
    const std::string& name() const { return name_; }  // ":N"
    pid_t pid() const { return process_.pid(); }
    // Runs a shell command line with DISPLAY set to this server; its standard output.
    std::string Run(const std::string& command) const;

  private:
    ChildProcess process_;
    std::string name_;
};

}  // namespace lmn::test
