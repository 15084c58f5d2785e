#include "folder_processes.h"

#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <thread>

namespace lmn::test {

std::vector<pid_t> ProcessesRunningFrom(const std::string& folder) {
    std::vector<pid_t> found;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator("/proc", ec)) {
        const std::string name = entry.path().filename().string();
        if (name.find_first_not_of("0123456789") != std::string::npos) continue;
        std::error_code linkError;
        const std::string exe = std::filesystem::read_symlink(entry.path() / "exe", linkError).string();
        if (!linkError && exe.rfind(folder, 0) == 0)
            found.push_back(static_cast<pid_t>(std::atoi(name.c_str())));
    }
    return found;
}

int KillEverythingRunningFrom(const std::string& folder) {
    std::set<pid_t> killed;
    // A process that was just starting another one may leave it behind: look again until two
    // looks in a row find nothing.
    for (int quiet = 0; quiet < 2;) {
        std::vector<pid_t> running = ProcessesRunningFrom(folder);
        quiet = running.empty() ? quiet + 1 : 0;
        for (pid_t pid : running) {
            kill(pid, SIGKILL);
            killed.insert(pid);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return static_cast<int>(killed.size());
}

}  // namespace lmn::test
