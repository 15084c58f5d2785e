// The address-poll loop's timing: each wait is 1 s plus the interval the lobby last gave, and
// a reply with interval 0 (or none) changes neither address nor timing.
#include "address_poll.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <deque>
#include <mutex>

namespace lmn::shell {
namespace {

// Gives the [get_srv_ip] replies in turn.
class ScriptedLobby : public ServerAccess {
  public:
    explicit ScriptedLobby(std::deque<std::string> replies) : replies_(std::move(replies)) {}
    std::string FetchText(const std::string& url) override {
        std::lock_guard lock(mutex_);
        fetched.push_back(url);
        if (replies_.empty()) return {};
        std::string reply = replies_.front();
        replies_.pop_front();
        return reply;
    }
    bool DownloadFile(const std::string&, const std::string&) override { return false; }
    std::string LocalAddress() override { return {}; }

    std::vector<std::string> fetched;

  private:
    std::mutex mutex_;
    std::deque<std::string> replies_;
};

// A clock for the loop: records each wait it asks for and returns at once, until `rounds`
// waits were asked for; the last one lasts until the loop is stopped.
class RecordingWait {
  public:
    explicit RecordingWait(size_t rounds) : rounds_(rounds) {}
    PollWait Fn() {
        return [this](std::stop_token stop, std::chrono::milliseconds time) {
            std::unique_lock lock(mutex_);
            waits_.push_back(time.count());
            changed_.notify_all();
            if (waits_.size() < rounds_) return true;
            changed_.wait(lock, stop, [] { return false; });
            return false;
        };
    }
    std::vector<long long> AwaitAll() {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [this] { return waits_.size() >= rounds_; });
        return waits_;
    }

  private:
    size_t rounds_;
    std::mutex mutex_;
    std::condition_variable_any changed_;
    std::vector<long long> waits_;
};

TEST(AddressPollTiming, Interval30MovesTheNextPollTo31sAndInterval0ChangesNothing) {
    LobbyShared lobby;
    ScriptedLobby server({"RequestIpInterval=30&IP=10.0.0.9", "RequestIpInterval=0&IP=10.6.6.6", "",
                          "IP=10.7.7.7", "RequestIpInterval=5&IP=10.0.0.10"});
    RecordingWait clock(6);
    AddressPollLoops loops(server, lobby, clock.Fn());
    loops.StartOne();
    const auto waits = clock.AwaitAll();
    loops.StopAll();
    EXPECT_EQ(waits, (std::vector<long long>{601000, 31000, 31000, 31000, 31000, 6000}));
    EXPECT_EQ(server.fetched.size(), 5u);
    EXPECT_EQ(lobby.RoomServerAddress(), "10.0.0.10");
}

TEST(AddressPollTiming, AnotherClientPageRunKeepsTheOneLoop) {
    LobbyShared lobby;
    ScriptedLobby server({});
    RecordingWait clock(1);
    AddressPollLoops loops(server, lobby, clock.Fn());
    for (int i = 0; i < 5; ++i) loops.StartOne();
    EXPECT_EQ(loops.Count(), 1u);
    EXPECT_EQ(clock.AwaitAll().size(), 1u);
    loops.StopAll();  // ends the wait at once
    EXPECT_EQ(loops.Count(), 0u);
    EXPECT_TRUE(server.fetched.empty());
}

}  // namespace
}  // namespace lmn::shell
