// The HTTP helpers against the devserver on loopback.
#include "http.h"

#include <gtest/gtest.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

#include "devserver_process.h"
#include "paths.h"
#include "temp_dir.h"

namespace lmn {
namespace {

using test::DevServerProcess;
using test::ReadTestFile;
using test::TempDir;
using test::WriteTestFile;

class Http : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(server.ok()); }
    std::string Url(const std::string& path) const { return "http://" + server.host() + path; }
    DevServerProcess server;
    TempDir dir;
};

TEST(HttpUrl, EncodesBlanksControlAndHighBytesOnly) {
    EXPECT_EQ(EncodeRequestUrl("http://h/p.php?type=[x]&a=b c;d%41"), "http://h/p.php?type=[x]&a=b%20c;d%41");
    EXPECT_EQ(EncodeRequestUrl("a=\xC4\xE3\x01"), "a=%C4%E3%01");
}

TEST(HttpUrl, UnreachableServerGivesEmptyText) {
    EXPECT_EQ(FetchText("http://127.0.0.1:9/nothing"), "");
    EXPECT_EQ(FetchText("not a url at all"), "");
}

TEST_F(Http, FetchTextReturnsBodiesWhateverTheStatus) {
    EXPECT_EQ(FetchText(server.baseUrl() + "client_process/process.php?type=[get_out_ip]"), "127.0.0.1");
    EXPECT_EQ(FetchText(Url("/test/status?code=500&body=oops")), "oops");
    EXPECT_EQ(FetchText(Url("/test/zero")), "before");
}

TEST_F(Http, FetchTextSendsBracketsAndChineseAsTheServerExpects) {
    std::string url = server.baseUrl() + "client_process/process.php?type=[login]&username=\xC4\xE3 x";
    EXPECT_EQ(FetchText(url).substr(0, 2), "ok");
    auto log = server.LogLines("http");
    ASSERT_FALSE(log.empty());
    EXPECT_NE(log.back().find("type=[login]&username=%C4%E3%20x"), std::string::npos) << log.back();
}

TEST_F(Http, FetchTextRefusesAnswersBeyondTheLimit) {
    EXPECT_EQ(FetchText(Url("/test/bytes?n=1000")).size(), 1000u);
    EXPECT_EQ(FetchText(Url("/test/bytes?n=" + std::to_string(kFetchTextLimit + 1))), "");
}

TEST_F(Http, DownloadReplacesAReadOnlyFileAndRemovesTheTemporaryFile) {
    WriteTestFile(dir / "temp/x.bin", "old");
    chmod((dir / "temp/x.bin").c_str(), 0444);
    ASSERT_TRUE(
        DownloadFile(Url("/test/bytes?n=50000"), dir.path() + "temp\\x.bin", dir.path() + "download.txt"));
    EXPECT_EQ(ReadTestFile(dir / "temp/x.bin").size(), 50000u);
    EXPECT_FALSE(PathExists(dir.path() + "download.txt"));
}

TEST_F(Http, FailedDownloadsLeaveTheLocalFileAsItWas) {
    WriteTestFile(dir / "x.jpg", "old");
    const std::string local = dir.path() + "x.jpg", temp = dir.path() + "download.txt";
    EXPECT_FALSE(DownloadFile(server.baseUrl() + "no/such/file.jpg", local, temp)) << "page with \" 404 \"";
    EXPECT_FALSE(DownloadFile(Url("/test/status?code=500&body=error"), local, temp)) << "error status";
    EXPECT_FALSE(DownloadFile(Url("/test/status?code=200&body=a+404+b"), local, temp))
        << "marker in a 200 body";
    EXPECT_FALSE(DownloadFile(Url("/test/cut?n=5000"), local, temp)) << "broken transfer";
    EXPECT_FALSE(DownloadFile("http://127.0.0.1:9/x", local, temp)) << "unreachable";
    EXPECT_EQ(ReadTestFile(dir / "x.jpg"), "old");
}

TEST_F(Http, DownloadCreatesTheTargetFolders) {
    ASSERT_TRUE(DownloadFile(Url("/test/bytes?n=10"), dir.path() + "temp/sub/card_no_5_big.jpg",
                             dir.path() + "download.txt"));
    EXPECT_EQ(ReadTestFile(dir / "temp/sub/card_no_5_big.jpg"), "0123456789");
}

// The bytes reach the disk once: the temporary file is renamed over the target, no copy is made.
TEST_F(Http, DownloadWritesTheBytesOnce) {
    WriteTestFile(dir / "temp/x.bin", "old");
    int watch = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    ASSERT_GE(watch, 0);
    inotify_add_watch(watch, dir.path().c_str(), IN_CLOSE_WRITE);
    inotify_add_watch(watch, (dir / "temp").c_str(), IN_CLOSE_WRITE);
    ASSERT_TRUE(DownloadFile(Url("/test/bytes?n=50000"), dir / "temp/x.bin", dir / "download.txt"));
    std::vector<std::string> written;
    alignas(inotify_event) char buffer[8192];
    for (ssize_t n; (n = read(watch, buffer, sizeof buffer)) > 0;)
        for (ssize_t at = 0; at < n;) {
            const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
            if (event->len) written.emplace_back(event->name);
            at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
        }
    close(watch);
    EXPECT_EQ(written, std::vector<std::string>{"download.txt"});
    EXPECT_EQ(ReadTestFile(dir / "temp/x.bin").size(), 50000u);
    EXPECT_FALSE(PathExists(dir / "download.txt"));
}

}  // namespace
}  // namespace lmn
