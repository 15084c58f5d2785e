// The processes running a program file of one folder, found through /proc, and a way to end
// them all at once with SIGKILL (as a crash or a power cut would).
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace lmn::test {

// Processes whose program file lies in folder (which ends with '/').
std::vector<pid_t> ProcessesRunningFrom(const std::string& folder);

// Sends SIGKILL to every process running from folder until none is left; how many it killed.
int KillEverythingRunningFrom(const std::string& folder);

}  // namespace lmn::test
