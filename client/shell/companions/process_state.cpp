#include "process_state.h"

#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <fstream>
#include <string>

namespace lmn::companions {

bool ProcessEnded(int pid) {
    if (pid <= 0) return true;
    if (kill(pid, 0) != 0 && errno == ESRCH) return true;
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string line;
    if (!std::getline(stat, line)) return true;
    // "pid (name) state ...": the name may hold blanks and parentheses, the state follows the last ')'.
    size_t close = line.rfind(')');
    if (close == std::string::npos || close + 2 >= line.size()) return false;
    char state = line[close + 2];
    return state == 'Z' || state == 'X';
}

std::string ProgramFileName(int pid) {
    if (pid <= 0) return {};
    char target[4096];
    ssize_t n = readlink(("/proc/" + std::to_string(pid) + "/exe").c_str(), target, sizeof target - 1);
    if (n <= 0) return {};
    std::string path(target, static_cast<size_t>(n));
    const std::string deleted = " (deleted)";
    if (path.size() > deleted.size() &&
        path.compare(path.size() - deleted.size(), deleted.size(), deleted) == 0)
        path.resize(path.size() - deleted.size());
    size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace lmn::companions
