#include "epoll_reactor.h"

#include <sys/epoll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <cerrno>

namespace lmn::net {

namespace {

// An event's data: the watch's generation above its fd. The wake-up eventfd has generation 0,
// which no watch has.
std::uint64_t EventData(int fd, std::uint32_t generation) {
    return std::uint64_t{generation} << 32 | static_cast<std::uint32_t>(fd);
}

constexpr int kEventsPerTurn = 64;

}  // namespace

EpollReactor::EpollReactor()
    : epollFd_(epoll_create1(EPOLL_CLOEXEC)), wakeFd_(eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC)) {
    epoll_event wake{};
    wake.events = EPOLLIN;
    wake.data.u64 = EventData(wakeFd_, 0);
    epoll_ctl(epollFd_, EPOLL_CTL_ADD, wakeFd_, &wake);
}

EpollReactor::~EpollReactor() {
    if (wakeFd_ >= 0) ::close(wakeFd_);
    if (epollFd_ >= 0) ::close(epollFd_);
}

void EpollReactor::UpdateEpollSet(int fd, Watch& w) {
    epoll_event event{};
    if (w.interests & kRead) event.events |= EPOLLIN | EPOLLRDHUP;
    if (w.interests & kWrite) event.events |= EPOLLOUT;
    if (event.events == 0) {
        if (w.inEpollSet) epoll_ctl(epollFd_, EPOLL_CTL_DEL, fd, nullptr);
        w.inEpollSet = false;
        return;
    }
    event.data.u64 = EventData(fd, w.generation);
    // A closed fd leaves the epoll set by itself, and its number may come back as a new socket:
    // whichever of adding and changing fits the kernel's view is used.
    int done = epoll_ctl(epollFd_, w.inEpollSet ? EPOLL_CTL_MOD : EPOLL_CTL_ADD, fd, &event);
    if (done != 0 && (errno == ENOENT || errno == EEXIST))
        done = epoll_ctl(epollFd_, errno == ENOENT ? EPOLL_CTL_ADD : EPOLL_CTL_MOD, fd, &event);
    w.inEpollSet = done == 0;
}

void EpollReactor::watch(int fd, unsigned interests, ReadyFn onReady) {
    Watch& w = watches_[fd];
    w.interests = interests;
    w.generation = ++lastGeneration_ == 0 ? ++lastGeneration_ : lastGeneration_;
    w.onReady = std::make_shared<ReadyFn>(std::move(onReady));
    UpdateEpollSet(fd, w);
}

void EpollReactor::setInterests(int fd, unsigned interests) {
    auto it = watches_.find(fd);
    if (it == watches_.end() || it->second.interests == interests) return;
    it->second.interests = interests;
    UpdateEpollSet(it->first, it->second);
}

void EpollReactor::unwatch(int fd) {
    auto it = watches_.find(fd);
    if (it == watches_.end()) return;
    if (it->second.inEpollSet) epoll_ctl(epollFd_, EPOLL_CTL_DEL, fd, nullptr);
    watches_.erase(it);
}

void EpollReactor::post(std::function<void()> task) {
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

void EpollReactor::runOnce(int timeoutMs) {
    epoll_event events[kEventsPerTurn];
    const int n = epoll_wait(epollFd_, events, kEventsPerTurn, timeoutMs);
    for (int i = 0; i < n; ++i) {
        const int fd = static_cast<int>(events[i].data.u64 & 0xFFFFFFFFu);
        const auto generation = static_cast<std::uint32_t>(events[i].data.u64 >> 32);
        if (generation == 0) {
            std::uint64_t count = 0;
            [[maybe_unused]] ssize_t r = ::read(wakeFd_, &count, sizeof count);
            continue;
        }
        // A callback may have unwatched or replaced this fd in the meantime.
        auto it = watches_.find(fd);
        if (it == watches_.end() || it->second.generation != generation) continue;
        const std::uint32_t got = events[i].events;
        unsigned ready = 0;
        if (got & (EPOLLIN | EPOLLRDHUP | EPOLLHUP | EPOLLERR)) ready |= it->second.interests & kRead;
        if (got & (EPOLLOUT | EPOLLHUP | EPOLLERR)) ready |= it->second.interests & kWrite;
        if (ready == 0) continue;
        const std::shared_ptr<ReadyFn> onReady = it->second.onReady;
        (*onReady)(ready);
    }
    runPosted();
}

void EpollReactor::runPosted() {
    std::vector<std::function<void()>> tasks;
    {
        std::lock_guard lock(postMutex_);
        tasks.swap(posted_);
        wakeArmed_ = false;
    }
    for (auto& task : tasks) task();
}

void EpollReactor::run() {
    while (!stopping_.load()) runOnce(-1);
    stopping_ = false;
}

void EpollReactor::stop() {
    stopping_ = true;
    post([] {});
}

}  // namespace lmn::net
