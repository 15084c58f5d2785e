// An X server of its own for tests that answer the updater's message boxes with key presses,
// and the xdotool and ImageMagick calls that find, drive and photograph its windows.
#pragma once

#include <string>
#include <vector>

#include "xvfb_server.h"

namespace lmn::test {

class XvfbSession {
  public:
    XvfbSession() : server_("1024x768x24") {}

    bool ok() const { return server_.ok(); }
    const std::string& display() const { return server_.name(); }  // ":N"

    // Ids of the windows whose title matches the regular expression.
    std::vector<std::string> FindWindows(const std::string& titleRegex) const;
    // Waits up to timeoutMs for a window with that title; empty when none came.
    std::string WaitForWindow(const std::string& titleRegex, int timeoutMs) const;
    // Focuses the window and presses the key (an xdotool key name such as "Return").
    bool PressKey(const std::string& window, const std::string& key) const;
    bool Screenshot(const std::string& window, const std::string& pngPath) const;

  private:
    std::string Run(const std::string& command) const { return server_.Run(command + " 2>/dev/null"); }

    XvfbServer server_;
};

}  // namespace lmn::test
