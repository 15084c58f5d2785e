// Download throughput of the updater's DownloadFile against the curl command line, fetching
// the same 200 MB file from the same local devserver in the same run. Prints both rates and
// their ratio (updater / curl); the best of five alternating rounds counts for each.
//   updater_download_bench [size in MB]
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include "download.h"
#include "update_session.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
constexpr int kRounds = 5;

class QuietHost : public lmn::updater::UpdateHost {
  public:
    void SetStatus(const std::string&) override {}
    void SetProgress(int64_t, int64_t) override {}
    bool AskYesNo(const std::string&, const std::string&) override { return false; }
    void ShowMessage(const std::string&, const std::string&) override {}
    bool StartProgram(const std::string&, const std::vector<std::string>&) override { return false; }
    void Sleep(int) override {}

  protected:
    void EndProcess(int code) override { std::_Exit(code); }
};

pid_t StartDevserver(const std::string& host, const std::string& root) {
    pid_t pid = fork();
    if (pid == 0) {
        int devnull = open("/dev/null", O_WRONLY);
        dup2(devnull, STDOUT_FILENO);
        std::string h = "--host=" + host, r = "--root=" + root;
        execl(LMN_DEVSERVER_BIN, "devserver", h.c_str(), r.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    return pid;
}

double Seconds(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

}  // namespace

int main(int argc, char** argv) {
    long megabytes = argc > 1 ? std::atol(argv[1]) : 200;
    fs::path work = fs::temp_directory_path() / ("lmn-download-bench-" + std::to_string(getpid()));
    fs::path root = work / "server", install = work / "install";
    fs::create_directories(root / "update-tree" / "files");
    fs::create_directories(install);
    {
        std::ofstream out(root / "update-tree" / "files" / "big.pak", std::ios::binary);
        std::string block(1 << 20, 'x');
        for (long i = 0; i < megabytes; ++i) {
            block[0] = static_cast<char>(i);
            out << block;
        }
    }
    std::string host = "127.0.77.1";
    pid_t server = StartDevserver(host, root.string());
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    std::string url = "http://" + host + "/game/zrk/files/big.pak";

    QuietHost quiet;
    lmn::updater::UpdateSession session(quiet, install.string() + "/");
    double bestOurs = 1e9, bestCurl = 1e9;
    const std::string command = "curl -s -o '" + (work / "curl.pak").string() + "' '" + url + "'";
    auto runCurl = [&] {
        sync();
        const auto start = Clock::now();
        if (std::system(command.c_str()) != 0) std::fprintf(stderr, "curl failed\n");
        bestCurl = std::min(bestCurl, Seconds(start));
    };
    auto runOurs = [&] {
        sync();
        const auto start = Clock::now();
        if (!lmn::updater::DownloadFile(session, url, session.FullPath("data/big.pak")))
            std::fprintf(stderr, "DownloadFile failed\n");
        bestOurs = std::min(bestOurs, Seconds(start));
    };
    // Each starts with the disk caught up, so neither pays for the other's unwritten bytes,
    // and they take turns going first.
    for (int round = 0; round < kRounds; ++round) {
        if (round % 2 == 0) {
            runCurl();
            runOurs();
        } else {
            runOurs();
            runCurl();
        }
    }
    kill(server, SIGTERM);
    waitpid(server, nullptr, 0);
    fs::remove_all(work);

    double mb = static_cast<double>(megabytes);
    std::printf("file: %ld MB\ncurl:         %.1f MB/s (%.3f s)\nDownloadFile: %.1f MB/s (%.3f s)\n",
                megabytes, mb / bestCurl, bestCurl, mb / bestOurs, bestOurs);
    std::printf("ratio DownloadFile/curl: %.2f\n", bestCurl / bestOurs);
    return 0;
}
