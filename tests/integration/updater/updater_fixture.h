// Shared set-up of the updater's integration tests: an update server whose tree and an install
// folder whose manifests agree (nothing to update), which each test then changes.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "updater_harness.h"

namespace lmn::test {

inline constexpr const char* kTotal = "update/config/LMN_KX_total_update.xml";
inline constexpr const char* kUpdater = "update/config/LMN_KX_update.xml";
inline constexpr const char* kCards = "update/config/LMN_KX_card_image.xml";
inline constexpr const char* kOthers = "update/config/LMN_KX_other_update.xml";
inline constexpr int kRunTimeoutMs = 30000;

class UpdaterTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(server.ok());
        gameUrl = server.baseUrl();
        Mirror(kTotal, TotalXml(gameUrl, 1, 1));
        Mirror(kUpdater, UpdaterXml(1, "update/Update.exe"));
        Mirror(kCards, CardXml({{1, 1, 3}}));
        Mirror(kOthers, OtherXml({{"files/a.txt", "a.txt", 1}}));
        for (int id = 4001; id <= 4003; ++id) Mirror(Picture(id, "_mini_t.jpg"), "special");
        folder.Put("config.ini", "[common]\r\nstrUrl=" + gameUrl + "\r\nbMusic=1\r\n");
    }

    // The same file on the server and in the install folder.
    void Mirror(const std::string& relative, const std::string& data) {
        server.Put(relative, data);
        folder.Put(relative, data);
    }

    static std::string Picture(int id, const std::string& suffix) {
        return "images/card/card_no_" + std::to_string(id) + suffix;
    }

    std::string Hosts() const { return server.host() + " " + server.host(); }

    // Runs Update.exe offscreen to its end; its exit code.
    int RunOffscreen() {
        folder.Start(Hosts());
        return folder.Wait(kRunTimeoutMs);
    }

    // The request paths below the base URL, in order.
    std::vector<std::string> Requested() const {
        std::vector<std::string> paths;
        for (const auto& line : server.Requests()) paths.push_back(line.substr(line.find("/game/zrk/") + 10));
        return paths;
    }

    UpdateServer server;
    InstallFolder folder;
    std::string gameUrl;
};

}  // namespace lmn::test
