#include "process.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include "paths.h"

extern char** environ;

namespace lmn {

bool StartDetached(const std::string& program, const std::vector<std::string>& args) {
    std::string native = NativePath(program);
    if (access(native.c_str(), X_OK) != 0) return false;
    std::vector<std::string> all;
    all.push_back(native);
    all.insert(all.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (auto& a : all) argv.push_back(a.data());
    argv.push_back(nullptr);

    // Double spawn through a short-lived child so the started program is not our child and
    // leaves no zombie behind: the intermediate child spawns it and exits at once.
    pid_t middle = fork();
    if (middle < 0) return false;
    if (middle == 0) {
        setsid();
        pid_t pid;
        int rc = posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), environ);
        _exit(rc == 0 ? 0 : 1);
    }
    int status = 0;
    waitpid(middle, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace lmn
