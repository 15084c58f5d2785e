// The real Update.exe killed with SIGKILL at random moments of a full update (new updater, new
// card pictures, changed and new files, a new game address, all through the update server's
// slow lane). After each kill every file of the install folder is whole, either the old or the
// new one, config.ini keeps every key it had, and the next run completes the update.
// LMN_FAULT_SEED=N repeats a sequence of kill moments, LMN_FAULT_RUNS=N sets the number of runs.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <optional>
#include <random>
#include <thread>

#include "folder_processes.h"
#include "profile.h"
#include "updater_harness.h"
#include "wait_until.h"

namespace lmn::test {
namespace {

constexpr const char* kTotal = "update/config/LMN_KX_total_update.xml";
constexpr const char* kUpdater = "update/config/LMN_KX_update.xml";
constexpr const char* kCards = "update/config/LMN_KX_card_image.xml";
constexpr const char* kOthers = "update/config/LMN_KX_other_update.xml";
constexpr int kRunTimeoutMs = 60000;
constexpr long kSlowRate = 2 << 20;

// Keys the other programs keep in config.ini, and one section no program of ours knows.
const std::vector<std::tuple<std::string, std::string, std::string>> kOtherKeys = {
    {"common", "bAutoLogin", "1"},
    {"common", "strUserName", "player1"},
    {"common", "strPassword", "secret"},
    {"common", "bSaveMovieRecord", "1"},
    {"common", "bMusic", "0"},
    {"common", "bSound", "1"},
    {"common", "bVoice", "0"},
    {"common", "bOutIP", "0"},
    {"common", "strCardImageSite", "/home/p/cards"},
    {"common", "strMyImageSite", "/home/p/pics"},
    {"window", "left", "120"},
    {"window", "top", "80"}};

int EnvInt(const char* name, int fallback) {
    const char* text = std::getenv(name);
    return text && *text ? std::atoi(text) : fallback;
}

std::string Picture(int id, const char* suffix) {
    return "images/card/card_no_" + std::to_string(id) + suffix;
}

// A body of `size` bytes that names its file, so that no two files and no two versions agree.
std::string Body(const std::string& label, size_t size) {
    std::string body;
    while (body.size() < size) body += label + " " + std::to_string(body.size()) + "\n";
    return body;
}

// One installed file before and after the update; nullopt where it does not exist.
struct Expected {
    std::optional<std::string> before, after;
};

class UpdaterKillTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(server.ok());
        oldUrl = server.baseUrl();
        newUrl = "http://" + server.host() + "/game/zrk/season2/";
        const std::string newerUpdater = UpdaterProgram() + "\nnewer updater build\n";

        Serve("update/Update.exe", UpdaterProgram(), newerUpdater);
        Serve(kUpdater, UpdaterXml(1, "update/Update.exe"), UpdaterXml(2, "update/Update.exe"));
        Serve(kTotal, TotalXml(oldUrl, 1, 1), TotalXml(newUrl, 2, 2));
        Serve(kCards, CardXml({{1, 1, 3}}), CardXml({{1, 3, 3}, {10, 17, 4}}));
        Serve(kOthers, OtherXml({{"files/a.txt", "a.txt", 1}}),
              OtherXml({{"files/a2.txt", "a.txt", 2},
                        {"files/intro.swf", "flash/intro.swf", 1},
                        {"files/LMN_KX_Maker.exe", "LMN_KX_Maker.exe", 1}}));
        expected["Update.exe"] = {UpdaterProgram(), newerUpdater};
        server.Put("files/a2.txt", Body("a version 2", 300000));
        expected["a.txt"] = {Body("a version 1", 200000), Body("a version 2", 300000)};
        server.Put("files/intro.swf", Body("intro", 400000));
        expected["flash/intro.swf"] = {std::nullopt, Body("intro", 400000)};
        server.Put("files/LMN_KX_Maker.exe", Body("maker", 250000));
        expected["LMN_KX_Maker.exe"] = {std::nullopt, Body("maker", 250000)};

        for (const char* s : {"_big.jpg", "_small.jpg", "_mini.jpg"})
            expected[Picture(1, s)] = {Body(Picture(1, s), 30000), Body(Picture(1, s), 30000)};
        for (int id : {2, 3})
            for (const char* s : {"_big.jpg", "_small.jpg", "_mini.jpg"}) Fresh(Picture(id, s), 60000);
        for (int id = 10; id <= 17; ++id)
            for (const char* s : {"_big.jpg", "_small.jpg", "_mini.jpg", "_mini_t.jpg"})
                Fresh(Picture(id, s), 60000);
        for (int id = 4001; id <= 4003; ++id)
            expected[Picture(id, "_mini_t.jpg")] = {Body("special", 1000), Body("special", 1000)};

        server.SetAddressAnswer(server.slowBaseUrl());
        server.SetSlowRate(kSlowRate);
    }

    // A file the server has in a new version, and the install folder in an old one.
    void Serve(const std::string& relative, const std::string& before, const std::string& after) {
        server.Put(relative, after);
        if (relative != "update/Update.exe") expected[relative] = {before, after};
    }
    // A file only the server has.
    void Fresh(const std::string& relative, size_t size) {
        server.Put(relative, Body(relative, size));
        expected[relative] = {std::nullopt, Body(relative, size)};
    }

    // A new install folder holding every file in its old version.
    std::unique_ptr<InstallFolder> OldFolder() const {
        auto folder = std::make_unique<InstallFolder>();
        for (const auto& [relative, file] : expected)
            if (file.before && relative != "Update.exe") folder->Put(relative, *file.before);
        std::string ini = "[common]\r\nstrUrl=" + oldUrl + "\r\n";
        std::string section = "common";
        for (const auto& [sec, key, value] : kOtherKeys) {
            if (sec != section) ini += "[" + (section = sec) + "]\r\n";
            ini += key + "=" + value + "\r\n";
        }
        folder->Put("config.ini", ini);
        return folder;
    }

    std::string Hosts() const { return server.host(); }

    // Every file is whole: the old or the new version (or absent where it had none), never a
    // mix; config.ini holds every key, the address old or new. Returns how many files are new.
    int CheckWholeFiles(const InstallFolder& folder, bool mustBeNew) const {
        int fresh = 0;
        for (const auto& [relative, file] : expected) {
            std::optional<std::string> now;
            if (folder.Has(relative)) now = folder.Read(relative);
            if (mustBeNew) {
                EXPECT_EQ(now, file.after) << relative << " is not the new version";
            } else {
                EXPECT_TRUE(now == file.before || now == file.after)
                    << relative << " is neither old nor new (" << (now ? now->size() : 0) << " bytes)";
            }
            fresh += now == file.after && file.before != file.after;
        }
        ProfileFile ini(folder / "config.ini");
        for (const auto& [section, key, value] : kOtherKeys)
            EXPECT_EQ(ini.GetString(section, key, "<lost>"), value)
                << "config.ini lost " << section << "." << key;
        const std::string url = ini.GetString("common", "strUrl", "<lost>");
        if (mustBeNew)
            EXPECT_EQ(url, newUrl);
        else
            EXPECT_TRUE(url == oldUrl || url == newUrl) << "strUrl=" << url;
        return fresh;
    }

    UpdateServer server;
    std::string oldUrl, newUrl;
    std::map<std::string, Expected> expected;
};

double Seconds(std::chrono::steady_clock::duration d) {
    return std::chrono::duration<double>(d).count();
}

TEST_F(UpdaterKillTest, KilledAtRandomMomentsLeavesWholeFilesAndTheNextRunCompletes) {
    // One undisturbed run gives the length of a whole update, the span the kills fall into.
    auto clean = OldFolder();
    const auto start = std::chrono::steady_clock::now();
    clean->Start(Hosts());
    ASSERT_EQ(clean->Wait(kRunTimeoutMs), 0);
    ASSERT_TRUE(clean->WaitForClientStarts(1, kRunTimeoutMs)) << clean->Stdout();
    const double span = Seconds(std::chrono::steady_clock::now() - start);
    EXPECT_EQ(clean->ClientStarts(), std::vector<std::string>{"go"});
    CheckWholeFiles(*clean, true);
    // The stand-in client notes its start just before it ends: give it a moment to be gone.
    EXPECT_TRUE(WaitUntil([&] { return ProcessesRunningFrom(clean->path()).empty(); }, 5000));

    const int runs = EnvInt("LMN_FAULT_RUNS", 24);
    const unsigned seed = static_cast<unsigned>(EnvInt("LMN_FAULT_SEED", static_cast<int>(getpid())));
    std::mt19937 random(seed);
    // Kills fall into the first 92 % of a whole update, so that nearly every one hits a run.
    std::uniform_real_distribution<double> moment(0.05, 0.92 * span);
    std::printf("whole update: %.2f s; %d runs, seed %u\n", span, runs, seed);

    int killedBeforeAnyChange = 0, killedMidway = 0, killedAfterAll = 0;
    double completionSeconds = 0;
    for (int run = 1; run <= runs; ++run) {
        SCOPED_TRACE("run " + std::to_string(run) + " of seed " + std::to_string(seed));
        auto folder = OldFolder();
        const double at = moment(random);
        folder->Start(Hosts());
        std::this_thread::sleep_for(std::chrono::duration<double>(at));
        const int killed = KillEverythingRunningFrom(folder->path());
        folder->Wait(5000);
        const int fresh = CheckWholeFiles(*folder, false);
        const int changing =
            static_cast<int>(std::count_if(expected.begin(), expected.end(),
                                           [](const auto& e) { return e.second.before != e.second.after; }));
        (fresh == 0 ? killedBeforeAnyChange : fresh == changing ? killedAfterAll : killedMidway)++;
        std::printf("run %2d: kill at %.2f s hit %d process(es); %d of %d files new\n", run, at, killed,
                    fresh, changing);
        std::fflush(stdout);

        const size_t startsBefore = folder->ClientStarts().size();
        const auto next = std::chrono::steady_clock::now();
        folder->Start(Hosts());
        EXPECT_EQ(folder->Wait(kRunTimeoutMs), 0) << folder->Stdout();
        ASSERT_TRUE(folder->WaitForClientStarts(startsBefore + 1, kRunTimeoutMs)) << folder->Stdout();
        completionSeconds += Seconds(std::chrono::steady_clock::now() - next);
        EXPECT_EQ(folder->ClientStarts().back(), "go");
        CheckWholeFiles(*folder, true);
        EXPECT_TRUE(WaitUntil([&] { return ProcessesRunningFrom(folder->path()).empty(); }, 5000));
        if (HasFailure()) break;
    }
    std::printf("kills before any change: %d, midway: %d, after every file: %d; next run %.2f s on average\n",
                killedBeforeAnyChange, killedMidway, killedAfterAll, completionSeconds / runs);
}

}  // namespace
}  // namespace lmn::test
