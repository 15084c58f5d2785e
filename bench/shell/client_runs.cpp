#include "client_runs.h"

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace lmn::bench {

namespace fs = std::filesystem;

namespace {

std::string ReadAll(const std::string& path) {
    std::ifstream in(path);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// utime + stime (clock ticks) from /proc/PID/stat, and the parent's pid.
bool StatOf(pid_t pid, long& ticks, pid_t& parent) {
    const std::string stat = ReadAll("/proc/" + std::to_string(pid) + "/stat");
    const auto close = stat.rfind(')');
    if (close == std::string::npos) return false;
    std::istringstream fields(stat.substr(close + 2));
    std::string f;
    std::vector<std::string> v;
    while (fields >> f) v.push_back(f);
    if (v.size() < 13) return false;
    parent = static_cast<pid_t>(std::atol(v[1].c_str()));
    ticks = std::atol(v[11].c_str()) + std::atol(v[12].c_str());
    return true;
}

std::vector<fs::path>& MadeFolders() {
    static std::vector<fs::path> folders;
    return folders;
}

}  // namespace

std::string TempFolder(const std::string& name) {
    const fs::path dir = fs::temp_directory_path() / ("lmn-bench-" + std::to_string(getpid()) + "-" +
                                                      std::to_string(MadeFolders().size() + 1) + "-" + name);
    fs::create_directories(dir);
    MadeFolders().push_back(dir);
    return dir.string() + "/";
}

void RemoveTempFolders() {
    std::error_code ignored;
    for (const fs::path& dir : MadeFolders()) fs::remove_all(dir, ignored);
    MadeFolders().clear();
}

std::string MakeInstall(const std::string& configIni) {
    const std::string dir = TempFolder("install");
    fs::copy_file(LMN_KX_BIN, dir + "LMN_KX.exe", fs::copy_options::overwrite_existing);
    std::ofstream(dir + "config.ini", std::ios::binary) << configIni;
    return dir;
}

lmn::test::ChildProcess StartOffscreen(const std::vector<std::string>& argv, const std::string& dir) {
    lmn::test::SpawnOptions options;
    options.dir = dir;
    options.output = dir + "program.log";
    options.env = {{"QT_QPA_PLATFORM", "offscreen"},
                   {"QTWEBENGINE_DISABLE_SANDBOX", "1"},
                   {"QTWEBENGINE_CHROMIUM_FLAGS", "--disable-gpu"},
                   {"SDL_AUDIODRIVER", "dummy"}};
    return lmn::test::ChildProcess(argv, options);
}

ProcessUse ReadProcessUse(pid_t pid) {
    ProcessUse use;
    std::vector<pid_t> family{pid};
    // Descendants: the browser's helper processes.
    for (bool grown = true; grown;) {
        grown = false;
        for (const auto& entry : fs::directory_iterator("/proc")) {
            const pid_t p = static_cast<pid_t>(std::atol(entry.path().filename().c_str()));
            long ticks = 0;
            pid_t parent = 0;
            if (p <= 0 || std::find(family.begin(), family.end(), p) != family.end() ||
                !StatOf(p, ticks, parent))
                continue;
            if (std::find(family.begin(), family.end(), parent) != family.end()) {
                family.push_back(p);
                grown = true;
            }
        }
    }
    // Time on a CPU in nanoseconds, per thread: finer than the clock ticks of /proc/PID/stat.
    for (pid_t p : family) {
        std::error_code error;
        for (const auto& task : fs::directory_iterator("/proc/" + std::to_string(p) + "/task", error)) {
            const double seconds = std::atof(ReadAll(task.path().string() + "/schedstat").c_str()) / 1e9;
            use.cpuSeconds += seconds;
            use.threadCpuSeconds[static_cast<pid_t>(std::atol(task.path().filename().c_str()))] = seconds;
        }
    }
    const std::string windowThread = "/proc/" + std::to_string(pid) + "/task/" + std::to_string(pid);
    use.windowThreadCpuSeconds = std::atof(ReadAll(windowThread + "/schedstat").c_str()) / 1e9;
    std::istringstream status(
        ReadAll("/proc/" + std::to_string(pid) + "/task/" + std::to_string(pid) + "/status"));
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("voluntary_ctxt_switches:", 0) == 0 ||
            line.rfind("nonvoluntary_ctxt_switches:", 0) == 0)
            use.windowThreadWakeups += std::atol(line.substr(line.find(':') + 1).c_str());
    }
    return use;
}

double CpuSecondsBetween(const ProcessUse& before, const ProcessUse& after) {
    double seconds = 0;
    for (const auto& [task, later] : after.threadCpuSeconds) {
        const auto earlier = before.threadCpuSeconds.find(task);
        if (earlier != before.threadCpuSeconds.end()) seconds += later - earlier->second;
    }
    return seconds;
}

double Quantile(const std::vector<double>& sorted, double q) {
    if (sorted.empty()) return 0;
    return sorted[std::min(sorted.size() - 1,
                           static_cast<std::size_t>(q * static_cast<double>(sorted.size())))];
}

std::vector<double> ParseList(const std::string& list) {
    std::vector<double> values;
    std::stringstream in(list);
    for (std::string item; std::getline(in, item, ',');)
        if (!item.empty()) values.push_back(std::atof(item.c_str()));
    return values;
}

std::string BenchWww() {
    const std::string dir = TempFolder("www");
    fs::copy(LMN_DEVSERVER_WWW, dir, fs::copy_options::recursive | fs::copy_options::overwrite_existing);
    fs::copy(LMN_BENCH_WWW, dir, fs::copy_options::recursive | fs::copy_options::overwrite_existing);
    return dir;
}

}  // namespace lmn::bench
