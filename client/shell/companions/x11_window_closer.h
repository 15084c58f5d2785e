// WindowCloser on X11 through xcb. Top-level windows are the window manager's _NET_CLIENT_LIST
// when one runs, else the viewable children of the root; titles are _NET_WM_NAME (UTF-8), or
// WM_NAME when a window has none. A close request is the ICCCM WM_DELETE_WINDOW message; the
// closer then waits, at most `wait`, until the windows are destroyed or unmapped and, for a window
// whose process (_NET_WM_PID) `isCompanion` names as one of ours, until that process has ended; a
// companion still running after the wait is ended by force. Other programs' processes are
// neither waited for nor ended. Without an X display it logs one line and closes nothing.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "window_closer.h"

namespace lmn::companions {

class X11WindowCloser : public WindowCloser {
  public:
    using Log = std::function<void(const std::string& line)>;
    using CompanionTest = std::function<bool(int pid)>;

    explicit X11WindowCloser(std::chrono::milliseconds wait = std::chrono::seconds(5), Log log = {},
                             CompanionTest isCompanion = {});

    int CloseMatching(const std::function<bool(std::string_view utf8Title)>& matches) override;
    // The top-level windows whose titles match, as the closer would find them.
    std::vector<uint32_t> FindMatching(const std::function<bool(std::string_view utf8Title)>& matches);
    // The process id a window names as its owner; 0 when it names none.
    int OwnerOf(uint32_t window);

  private:
    std::chrono::milliseconds wait_;
    Log log_;
    CompanionTest isCompanion_;
    bool reportedNoDisplay_ = false;
};

}  // namespace lmn::companions
