// A Reactor on poll(), driven by the thread that calls runOnce() or run().
#pragma once

#include <atomic>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

#include "reactor.h"

namespace lmn::net {

class PollReactor : public Reactor {
  public:
    PollReactor();
    ~PollReactor() override;
    PollReactor(const PollReactor&) = delete;
    PollReactor& operator=(const PollReactor&) = delete;

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
        std::shared_ptr<ReadyFn> onReady;
    };

    void runPosted();

    std::map<int, Watch> watches_;
    int wakeFd_ = -1;
    std::mutex postMutex_;
    std::vector<std::function<void()>> posted_;
    bool wakeArmed_ = false;
    std::atomic<bool> stopping_{false};
};

}  // namespace lmn::net
