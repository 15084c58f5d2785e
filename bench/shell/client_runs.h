// What the client benchmarks share: a fresh install folder with LMN_KX.exe, programs started
// offscreen and stopped again, the CPU time and wakeups of a process from /proc, percentiles.
#pragma once

#include <sys/types.h>

#include <map>
#include <string>
#include <vector>

#include "child_process.h"

namespace lmn::bench {

// A new temporary folder, its path ending in "/".
std::string TempFolder(const std::string& name);
// Removes every folder TempFolder made (a run that fails keeps them, for their logs).
void RemoveTempFolders();
// A temporary folder holding a copy of LMN_KX.exe and the given config.ini.
std::string MakeInstall(const std::string& configIni);
// Starts argv[0] with argv in dir (offscreen, WebEngine without sandbox and GPU), its output
// appended to dir's program.log.
lmn::test::ChildProcess StartOffscreen(const std::vector<std::string>& argv, const std::string& dir);

struct ProcessUse {
    double cpuSeconds = 0;                     // user + system time of the process and its descendants
    std::map<pid_t, double> threadCpuSeconds;  // the same per thread (task id)
    double windowThreadCpuSeconds = 0;         // time on a CPU of the main (window) thread
    long windowThreadWakeups = 0;              // context switches of the main (window) thread
};
ProcessUse ReadProcessUse(pid_t pid);
// CPU time spent between two readings by the threads present in both: a helper that ended or
// started in between would otherwise add or take away its whole life's time.
double CpuSecondsBetween(const ProcessUse& before, const ProcessUse& after);

// The q-quantile of sorted samples.
double Quantile(const std::vector<double>& sorted, double q);
// The numbers of a comma-separated list.
std::vector<double> ParseList(const std::string& list);
// The copy of the stand-in pages the benchmarks serve: devserver's, with bench/shell/www on top.
std::string BenchWww();

}  // namespace lmn::bench
