// What the transport needs from the thread that owns it: readiness of its sockets and a way to
// run work on that thread later. The programs implement it on the Qt event loop, tests and
// servers with epoll.
#pragma once

#include <functional>

namespace lmn::net {

class Reactor {
  public:
    enum Interest : unsigned { kRead = 1, kWrite = 2 };
    // Called with the interests that are ready. An error or hang-up on the socket reports as
    // ready for every watched interest, so the handler learns of it from its next call.
    using ReadyFn = std::function<void(unsigned ready)>;

    virtual ~Reactor() = default;

    // Watches fd (replacing an earlier watch of the same fd).
    virtual void watch(int fd, unsigned interests, ReadyFn onReady) = 0;
    virtual void setInterests(int fd, unsigned interests) = 0;
    // After unwatch returns, the fd's callback is not called again.
    virtual void unwatch(int fd) = 0;
    // Runs task on the owning thread after the current notification has returned, in post
    // order. Safe to call from any thread.
    virtual void post(std::function<void()> task) = 0;
};

}  // namespace lmn::net
