#include "xvfb_session.h"

#include <unistd.h>

#include <chrono>
#include <sstream>
#include <thread>

namespace lmn::test {

std::vector<std::string> XvfbSession::FindWindows(const std::string& titleRegex) const {
    std::istringstream in(Run("xdotool search --onlyvisible --name '" + titleRegex + "'"));
    std::vector<std::string> ids;
    for (std::string id; in >> id;) ids.push_back(id);
    return ids;
}

std::string XvfbSession::WaitForWindow(const std::string& titleRegex, int timeoutMs) const {
    for (int waited = 0; waited < timeoutMs; waited += 50) {
        auto ids = FindWindows(titleRegex);
        if (!ids.empty()) return ids.back();
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return {};
}

bool XvfbSession::PressKey(const std::string& window, const std::string& key) const {
    Run("xdotool windowfocus --sync " + window);
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    Run("xdotool key " + key);
    return true;
}

bool XvfbSession::Screenshot(const std::string& window, const std::string& pngPath) const {
    Run("import -window " + window + " '" + pngPath + "'");
    return access(pngPath.c_str(), F_OK) == 0;
}

}  // namespace lmn::test
