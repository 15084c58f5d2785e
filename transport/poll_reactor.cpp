#include "poll_reactor.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>

namespace lmn::net {

PollReactor::PollReactor() : wakeFd_(eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC)) {}

PollReactor::~PollReactor() {
    if (wakeFd_ >= 0) ::close(wakeFd_);
}

void PollReactor::watch(int fd, unsigned interests, ReadyFn onReady) {
    watches_[fd] = Watch{interests, std::make_shared<ReadyFn>(std::move(onReady))};
}

void PollReactor::setInterests(int fd, unsigned interests) {
    auto it = watches_.find(fd);
    if (it != watches_.end()) it->second.interests = interests;
}

void PollReactor::unwatch(int fd) {
    watches_.erase(fd);
}

void PollReactor::post(std::function<void()> task) {
    bool wake = false;
    {
        std::lock_guard lock(postMutex_);
        posted_.push_back(std::move(task));
        wake = !wakeArmed_;
        wakeArmed_ = true;
    }
    if (wake) {
        std::uint64_t one = 1;
        [[maybe_unused]] ssize_t n = ::write(wakeFd_, &one, sizeof one);
    }
}

void PollReactor::runOnce(int timeoutMs) {
    std::vector<pollfd> fds;
    std::vector<std::shared_ptr<ReadyFn>> callbacks;
    fds.reserve(watches_.size() + 1);
    fds.push_back({wakeFd_, POLLIN, 0});
    callbacks.push_back(nullptr);
    for (auto& [fd, w] : watches_) {
        short events = 0;
        if (w.interests & kRead) events |= POLLIN;
        if (w.interests & kWrite) events |= POLLOUT;
        if (events == 0) continue;
        fds.push_back({fd, events, 0});
        callbacks.push_back(w.onReady);
    }
    int n = ::poll(fds.data(), fds.size(), timeoutMs);
    if (n < 0 && errno != EINTR) return;
    for (std::size_t i = 1; n > 0 && i < fds.size(); ++i) {
        if (fds[i].revents == 0) continue;
        // A callback may have unwatched or replaced this fd in the meantime.
        auto it = watches_.find(fds[i].fd);
        if (it == watches_.end() || it->second.onReady != callbacks[i]) continue;
        unsigned ready = 0;
        if (fds[i].revents & (POLLIN | POLLHUP | POLLERR)) ready |= it->second.interests & kRead;
        if (fds[i].revents & (POLLOUT | POLLHUP | POLLERR)) ready |= it->second.interests & kWrite;
        if (ready != 0) (*callbacks[i])(ready);
    }
    if (fds[0].revents & POLLIN) {
        std::uint64_t count = 0;
        [[maybe_unused]] ssize_t r = ::read(wakeFd_, &count, sizeof count);
    }
    runPosted();
}

void PollReactor::runPosted() {
    std::vector<std::function<void()>> tasks;
    {
        std::lock_guard lock(postMutex_);
        tasks.swap(posted_);
        wakeArmed_ = false;
    }
    for (auto& task : tasks) task();
}

void PollReactor::run() {
    while (!stopping_.load()) runOnce(-1);
    stopping_ = false;
}

void PollReactor::stop() {
    stopping_ = true;
    post([] {});
}

}  // namespace lmn::net
