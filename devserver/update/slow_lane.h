// The update server's slow lane: a second HTTP port on the same address that serves the update
// tree at a limited rate, so that a download lasts long enough to be watched or skipped.
// Point the updater at it by writing "http://HOST:PORT/game/zrk/" to ROOT/update-address.txt.
#pragma once

#include <atomic>
#include <cstdint>
#include <thread>

#include "module.h"

namespace lmn::dev {

class SlowLane {
  public:
    SlowLane(const DevContext& ctx, uint16_t port) : ctx_(ctx), port_(port) {}
    ~SlowLane() { Stop(); }
    SlowLane(const SlowLane&) = delete;
    SlowLane& operator=(const SlowLane&) = delete;

    bool Start();
    void Stop();

  private:
    void AcceptLoop();
    void Serve(int fd);

    const DevContext& ctx_;
    uint16_t port_;
    int listenFd_ = -1;
    std::atomic<bool> running_{false};
    std::thread acceptThread_;
};

}  // namespace lmn::dev
