// The opponent request after a direct link was lost or could not be made: it runs on a worker
// thread, and the window thread collects its answer on a short periodic check.
#pragma once

#include "game_env.h"
#include "worker_threads.h"

namespace lmn::game {

class OpponentRequest {
  public:
    explicit OpponentRequest(GameEnv& env) : env_(env) {}

    // The delay is over: the request starts and the check for its answer with it.
    void OnDelay();
    void OnAnswerCheck();

  private:
    GameEnv& env_;
    ReplySlot reply_;
    WorkerThreads workers_;  // last: the threads end before the slot they write goes away
};

}  // namespace lmn::game
