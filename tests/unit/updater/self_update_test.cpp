// The updater replacing itself: the program's name must exist at every moment, so that a
// process killed half-way leaves an updater the player can start.
#include "self_update.h"

#include <gtest/gtest.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

#include "canned_server.h"
#include "fake_host.h"
#include "temp_dir.h"
#include "text.h"

namespace lmn::updater {
namespace {

using lmn::test::CannedServer;
using lmn::test::FakeHost;
using lmn::test::HttpAnswer;
using lmn::test::ReadTestFile;
using lmn::test::RunEnded;
using lmn::test::TempDir;
using lmn::test::WriteTestFile;

constexpr const char* kManifest = "update/config/LMN_KX_update.xml";

std::string UpdaterXml(int version) {
    return "<?xml version=\"1.0\"?>\r\n<update><version>" + std::to_string(version) +
           "</version><downloadsite>update/Update.exe</downloadsite></update>\r\n";
}

// Every name the folder lost (deleted or renamed away) while it was watched.
class FolderWatch {
  public:
    explicit FolderWatch(const std::string& folder) {
        fd_ = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
        inotify_add_watch(fd_, folder.c_str(), IN_DELETE | IN_MOVED_FROM);
    }
    ~FolderWatch() { close(fd_); }
    std::vector<std::string> LostNames() {
        std::vector<std::string> names;
        alignas(inotify_event) char buffer[65536];
        for (;;) {
            const ssize_t n = read(fd_, buffer, sizeof buffer);
            if (n <= 0) break;
            for (ssize_t at = 0; at < n;) {
                const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
                if (event->len) names.emplace_back(event->name);
                at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
            }
        }
        return names;
    }

  private:
    int fd_ = -1;
};

class SelfUpdateTest : public ::testing::Test {
  protected:
    void SetUp() override {
        WriteTestFile(dir / "Update.exe", "running updater");
        chmod((dir / "Update.exe").c_str(), 0755);
        WriteTestFile(dir / kManifest, UpdaterXml(1));
        session.setBaseUrl(server.url("/"));
    }
    int Run() {
        try {
            SelfUpdate(session);
        } catch (const RunEnded& ended) {
            return ended.code;
        }
        return -1;
    }

    TempDir dir;
    FakeHost host;
    UpdateSession session{host, dir.path()};
    std::string newer = std::string(
        "\x7f"
        "ELF newer updater");
    CannedServer server{[this](const std::string& line) {
        if (line.find(kManifest) != std::string::npos) return HttpAnswer(200, UpdaterXml(2));
        if (line.find("/update/Update.exe") != std::string::npos) return HttpAnswer(200, newer);
        return HttpAnswer(404, "not found 404 ");
    }};
};

TEST_F(SelfUpdateTest, TheProgramNameIsNeverMissingWhileTheNewUpdaterTakesItsPlace) {
    FolderWatch watch(dir.path());
    EXPECT_EQ(Run(), 0);
    for (const std::string& name : watch.LostNames())
        EXPECT_NE(AsciiLower(name), "update.exe") << "a kill at this moment would leave no updater";

    EXPECT_EQ(ReadTestFile(dir / "Update.exe"), newer);
    EXPECT_EQ(ReadTestFile(dir / "Update_old.exe"), "running updater");
    EXPECT_EQ(access((dir / "UpdateNew.exe").c_str(), F_OK), -1);
    EXPECT_EQ(access((dir / "Update.exe").c_str(), X_OK), 0) << "the new updater can be started";
    EXPECT_EQ(ReadTestFile(dir / kManifest), UpdaterXml(2));
    EXPECT_EQ(host.started, std::vector<std::string>{dir / "update.exe"});
}

TEST_F(SelfUpdateTest, ASecondSelfUpdateReplacesThePreviousOldUpdater) {
    WriteTestFile(dir / "Update_old.exe", "first updater");
    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(ReadTestFile(dir / "Update_old.exe"), "running updater");
    EXPECT_EQ(ReadTestFile(dir / "Update.exe"), newer);
}

// Whatever arrives must be a program before it takes the updater's place, and a new updater
// that cannot be started gives the old one back, with the old manifest, so the next run retries.
TEST_F(SelfUpdateTest, OnlyAStartableProgramReplacesTheUpdater) {
    for (const std::string& body : {std::string(), std::string("<html>maintenance</html>")}) {
        SCOPED_TRACE(body);
        newer = body;
        host.questions.clear();
        EXPECT_EQ(Run(), 0);
        ASSERT_EQ(host.questions.size(), 1u);
        EXPECT_EQ(host.questions[0], Utf8ToGbk("提示|下载升级程序失败,\r\n升级失败，是否仍然要进入游戏?"));
        EXPECT_EQ(ReadTestFile(dir / "Update.exe"), "running updater");
        EXPECT_EQ(ReadTestFile(dir / kManifest), UpdaterXml(1));
        EXPECT_EQ(access((dir / "UpdateNew.exe").c_str(), F_OK), -1);
    }

    newer = std::string(
        "\x7f"
        "ELF for another machine");
    host.questions.clear();
    host.startSucceeds = false;
    EXPECT_EQ(Run(), 0);
    ASSERT_EQ(host.questions.size(), 1u);
    EXPECT_EQ(host.questions[0], Utf8ToGbk("提示|启动升级程序失败,\r\n升级失败，是否仍然要进入游戏?"));
    EXPECT_EQ(ReadTestFile(dir / "Update.exe"), "running updater");
    EXPECT_EQ(ReadTestFile(dir / kManifest), UpdaterXml(1)) << "the next run tries again";
}

TEST_F(SelfUpdateTest, AnUpToDateUpdaterTouchesNothing) {
    WriteTestFile(dir / kManifest, UpdaterXml(2));
    EXPECT_EQ(Run(), -1) << "returns to the run";
    EXPECT_EQ(ReadTestFile(dir / "Update.exe"), "running updater");
    EXPECT_EQ(access((dir / "Update_old.exe").c_str(), F_OK), -1);
    EXPECT_TRUE(host.started.empty());
}

}  // namespace
}  // namespace lmn::updater
