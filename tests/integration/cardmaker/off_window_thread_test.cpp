// A slow server answer: the request runs off the window thread, whose timers go on firing (and so
// its windows go on painting) until the answer is there.
#include "off_window_thread.h"

#include <gtest/gtest.h>

#include <QTimer>
#include <chrono>
#include <thread>

using namespace lmn::maker;

namespace {

constexpr auto kSlowAnswer = std::chrono::milliseconds(300);

}  // namespace

TEST(OffWindowThread, ASlowRequestLeavesTheWindowThreadRunningAndReturnsTheAnswer) {
    int ticks = 0;
    QTimer timer;
    timer.setInterval(10);
    QObject::connect(&timer, &QTimer::timeout, [&] { ++ticks; });
    timer.start();
    const std::thread::id windowThread = std::this_thread::get_id();

    std::thread::id ranOn;
    ReplyFetchFunction fetch = OffWindowThread([&](const std::string& url) {
        ranOn = std::this_thread::get_id();
        std::this_thread::sleep_for(kSlowAnswer);
        return FetchReply{200, "answer to " + url};
    });
    const FetchReply reply = fetch("list.php");
    EXPECT_EQ(reply.status, 200);
    EXPECT_EQ(reply.body, "answer to list.php");
    EXPECT_NE(ranOn, windowThread);
    EXPECT_GE(ticks, 5);  // about 30 while the answer was awaited

    PublishServices services;
    services.upload = [&](const FtpAccount& account, const std::string& local, const std::string& remote) {
        std::this_thread::sleep_for(kSlowAnswer);
        return account.host == "ftp.example" && local == "big.jpg" && remote == "cards\\big.jpg";
    };
    services = OffWindowThread(std::move(services));
    const int before = ticks;
    EXPECT_TRUE(
        services.upload(FtpAccount{"ftp.example", "u", "p", "cards", "5"}, "big.jpg", "cards\\big.jpg"));
    EXPECT_GE(ticks - before, 5);

    // An answer there before the window thread starts waiting still ends the wait.
    bool quick = false;
    RunOffWindowThread([&] { quick = true; });
    EXPECT_TRUE(quick);
}
