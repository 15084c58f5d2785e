// Every request is bounded, against loopback servers that misbehave: one that never answers,
// one whose queue is full so the connect never completes, one that redirects for ever, and
// addresses of other protocols. The bounds are shortened for the tests.
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <memory>
#include <thread>

#include "http.h"
#include "stub_web_server.h"
#include "temp_dir.h"
#include "wait_until.h"

namespace lmn {
namespace {

using namespace std::chrono_literals;
using test::EndsWithin;
using test::StubWebServer;

class HttpBounds : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(server.ok());
        SetHttpLimits({500ms, 700ms, 5});
    }
    void TearDown() override { SetHttpLimits({}); }
    StubWebServer server;
};

TEST_F(HttpBounds, AServerThatAcceptsAndNeverAnswersIsAFailedRequest) {
    auto text = std::make_shared<std::string>("unset");
    auto result = std::make_shared<HttpStreamResult>();
    ASSERT_TRUE(EndsWithin(20s, [&, text, result] {
        *text = FetchText(server.origin() + "/client_process/process.php?type=[get_out_ip]");
        *result = HttpStream(server.origin() + "/silent", {}, [](std::string_view) { return true; });
    }));
    EXPECT_EQ(*text, "");
    EXPECT_FALSE(result->completed);
    EXPECT_EQ(server.TargetsWith("/silent").size(), 1u) << "the request was sent, never answered";

    // A bound on the whole request ends it before the silence bound would.
    SetHttpLimits({500ms, 60s, 5});
    ASSERT_TRUE(EndsWithin(20s, [&, text] { *text = FetchTextWithin(server.origin() + "/silent", 300ms); }));
    EXPECT_EQ(*text, "");
}

TEST_F(HttpBounds, AConnectThatNeverCompletesIsAFailedRequest) {
    // A listener whose queue is full: further connects get no answer at all.
    const int listener = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof addr;
    ASSERT_EQ(::bind(listener, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
    ASSERT_EQ(::listen(listener, 0), 0);
    ASSERT_EQ(::getsockname(listener, reinterpret_cast<sockaddr*>(&addr), &len), 0);
    std::vector<int> fillers;
    for (int i = 0; i < 3; ++i) {
        fillers.push_back(::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0));
        ::connect(fillers.back(), reinterpret_cast<sockaddr*>(&addr), sizeof addr);
    }
    SetHttpLimits({400ms, 60s, 5});
    auto text = std::make_shared<std::string>("unset");
    const std::string url = "http://127.0.0.1:" + std::to_string(ntohs(addr.sin_port)) + "/x";
    EXPECT_TRUE(EndsWithin(20s, [url, text] { *text = FetchText(url); }));
    EXPECT_EQ(*text, "");
    for (int fd : fillers) ::close(fd);
    ::close(listener);
}

TEST_F(HttpBounds, RedirectsEndAfterFiveAndOnlyHttpIsFollowed) {
    server.Redirect("/loop", server.origin() + "/loop");
    server.Redirect("/three", server.origin() + "/two");
    server.Redirect("/two", server.origin() + "/one");
    server.Redirect("/one", server.origin() + "/page");
    server.Page("/page", "arrived");
    server.Redirect("/to-file", "file:///etc/hostname");
    EXPECT_EQ(FetchText(server.origin() + "/loop"), "");
    EXPECT_EQ(server.TargetsWith("/loop").size(), 6u) << "the request and five redirects";
    EXPECT_EQ(FetchText(server.origin() + "/three"), "arrived");
    EXPECT_EQ(FetchText(server.origin() + "/to-file"), "");
    EXPECT_EQ(FetchText("file:///etc/hostname"), "");
    test::TempDir dir;
    EXPECT_FALSE(DownloadFile("file:///etc/hostname", dir / "got.txt", dir / "download.txt"));
}

TEST_F(HttpBounds, CancellingEndsRequestsUnderWayAndRefusesNewOnes) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            SetHttpLimits({500ms, 60s, 5});
            std::thread waiting([&] { FetchText(server.origin() + "/silent"); });
            while (server.TargetsWith("/silent").empty()) std::this_thread::sleep_for(10ms);
            CancelAllHttpRequests();
            waiting.join();
            server.Page("/page", "arrived");
            std::_Exit(FetchText(server.origin() + "/page").empty() ? 7 : 1);
        },
        ::testing::ExitedWithCode(7), "");
}

}  // namespace
}  // namespace lmn
