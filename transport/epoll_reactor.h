// A Reactor on epoll, driven by the thread that calls runOnce() or run(): each turn costs the
// same however many sockets are watched, and a socket watched for nothing is left out of the
// epoll set (so a hung-up socket nobody reads cannot keep the loop awake).
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <unordered_map>
#include <vector>

#include "reactor.h"

namespace lmn::net {

class EpollReactor : public Reactor {
  public:
    EpollReactor();
    ~EpollReactor() override;
    EpollReactor(const EpollReactor&) = delete;
    EpollReactor& operator=(const EpollReactor&) = delete;

    void watch(int fd, unsigned interests, ReadyFn onReady) override;
    void setInterests(int fd, unsigned interests) override;
    void unwatch(int fd) override;
    void post(std::function<void()> task) override;

    // Waits at most timeoutMs (-1: no limit) for readiness or posted work, then handles what
    // is ready and runs the tasks posted so far.
    void runOnce(int timeoutMs);
    // Calls runOnce until stop().
    void run();
    // Safe to call from any thread.
    void stop();

  private:
    struct Watch {
        unsigned interests = 0;
        bool inEpollSet = false;
        // Tells a readiness reported for this watch from one for an earlier watch of the same fd.
        std::uint32_t generation = 0;
        std::shared_ptr<ReadyFn> onReady;
    };

    void UpdateEpollSet(int fd, Watch& w);
    void runPosted();

    std::unordered_map<int, Watch> watches_;
    std::uint32_t lastGeneration_ = 0;
    int epollFd_ = -1;
    int wakeFd_ = -1;
    std::mutex postMutex_;
    std::vector<std::function<void()>> posted_;
    bool wakeArmed_ = false;
    std::atomic<bool> stopping_{false};
};

}  // namespace lmn::net
