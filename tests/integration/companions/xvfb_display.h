// A private Xvfb server for one test: started on a free display number and set as DISPLAY.
#pragma once

#include <sys/types.h>

#include <string>

namespace lmn::companions::test {

class XvfbDisplay {
  public:
    XvfbDisplay();
    ~XvfbDisplay();
    XvfbDisplay(const XvfbDisplay&) = delete;
    XvfbDisplay& operator=(const XvfbDisplay&) = delete;

    bool ok() const { return ready_; }
    const std::string& name() const { return name_; }

  private:
    pid_t pid_ = -1;
    std::string name_;
    bool ready_ = false;
};

}  // namespace lmn::companions::test
