// One-shot worker threads (presence reports, opponent requests): each runs one task and ends.
// Finished threads are joined when the next one starts; the rest when the owner goes away.
#pragma once

#include <atomic>
#include <functional>
#include <list>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

namespace lmn::game {

class WorkerThreads {
  public:
    WorkerThreads() = default;
    ~WorkerThreads() { JoinAll(); }
    WorkerThreads(const WorkerThreads&) = delete;
    WorkerThreads& operator=(const WorkerThreads&) = delete;

    void Start(std::function<void()> task);
    void JoinAll();
    // Threads started and not yet joined.
    size_t Count() const { return workers_.size(); }

  private:
    struct Worker {
        std::shared_ptr<std::atomic<bool>> done;
        std::thread thread;
    };
    void ReapFinished();

    std::list<Worker> workers_;
};

// The hand-over of a worker's reply to the window thread: the worker stores it and sets the
// ready mark under a lock; the window thread takes it once.
class ReplySlot {
  public:
    void Store(std::string reply);
    // True (and the reply) when a reply was stored since the last take.
    bool Take(std::string& reply);

  private:
    std::mutex mutex_;
    std::string reply_;
    bool ready_ = false;
};

}  // namespace lmn::game
