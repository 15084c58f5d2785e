#include "worker_threads.h"

namespace lmn::game {

void WorkerThreads::Start(std::function<void()> task) {
    ReapFinished();
    auto done = std::make_shared<std::atomic<bool>>(false);
    std::thread thread([task = std::move(task), done] {
        task();
        done->store(true);
    });
    workers_.push_back(Worker{std::move(done), std::move(thread)});
}

void WorkerThreads::ReapFinished() {
    for (auto it = workers_.begin(); it != workers_.end();) {
        if (it->done->load()) {
            it->thread.join();
            it = workers_.erase(it);
        } else {
            ++it;
        }
    }
}

void WorkerThreads::JoinAll() {
    for (Worker& worker : workers_) worker.thread.join();
    workers_.clear();
}

void ReplySlot::Store(std::string reply) {
    std::lock_guard lock(mutex_);
    reply_ = std::move(reply);
    ready_ = true;
}

bool ReplySlot::Take(std::string& reply) {
    std::lock_guard lock(mutex_);
    if (!ready_) return false;
    ready_ = false;
    reply = std::move(reply_);
    return true;
}

}  // namespace lmn::game
