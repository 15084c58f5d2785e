// One-shot worker threads and the hand-over of a worker's reply to the window thread.
#include "worker_threads.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <future>

namespace lmn::game {
namespace {

TEST(WorkerThreads, FinishedThreadsAreJoinedWhenTheNextStartsSoTheyDoNotPileUp) {
    WorkerThreads workers;
    for (int i = 0; i < 200; ++i) {
        std::promise<void> ran;
        auto done = ran.get_future();
        workers.Start([&ran] { ran.set_value(); });
        done.wait();
        // The previous task has returned; its thread may need a moment to mark itself done.
    }
    EXPECT_LE(workers.Count(), 3u) << "a long session must not keep every report thread";
    workers.JoinAll();
    EXPECT_EQ(workers.Count(), 0u);
}

TEST(WorkerThreads, ARunningTaskIsKeptAndJoinAllWaitsForIt) {
    WorkerThreads workers;
    std::mutex mutex;
    std::condition_variable cv;
    bool release = false;
    std::atomic<bool> finished{false};
    workers.Start([&] {
        std::unique_lock lock(mutex);
        cv.wait(lock, [&] { return release; });
        finished = true;
    });
    workers.Start([] {});
    EXPECT_GE(workers.Count(), 1u);
    std::thread releaser([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        std::lock_guard lock(mutex);
        release = true;
        cv.notify_all();
    });
    workers.JoinAll();
    EXPECT_TRUE(finished) << "JoinAll returned before the blocked task ended";
    releaser.join();
}

TEST(ReplySlot, AStoredReplyIsTakenOnceAndALaterOneReplacesAnUntakenOne) {
    ReplySlot slot;
    std::string reply = "untouched";
    EXPECT_FALSE(slot.Take(reply));
    EXPECT_EQ(reply, "untouched");
    slot.Store("first");
    slot.Store("second");
    ASSERT_TRUE(slot.Take(reply));
    EXPECT_EQ(reply, "second");
    EXPECT_FALSE(slot.Take(reply));
    slot.Store("");
    ASSERT_TRUE(slot.Take(reply)) << "an empty reply is still a reply";
    EXPECT_EQ(reply, "");
}

TEST(ReplySlot, TheTakerSeesOnlyWholeRepliesWhileAWorkerStores) {
    ReplySlot slot;
    const std::string a(4000, 'a'), b(9000, 'b');
    std::atomic<bool> stop{false};
    std::thread worker([&] {
        for (int i = 0; !stop; ++i) slot.Store(i % 2 ? a : b);
    });
    int taken = 0;
    while (taken < 2000) {
        std::string reply;
        if (!slot.Take(reply)) continue;
        ++taken;
        ASSERT_TRUE(reply == a || reply == b) << "torn reply of " << reply.size() << " bytes";
    }
    stop = true;
    worker.join();
}

}  // namespace
}  // namespace lmn::game
