// The servers' reactor: what a callback does to other watches takes effect within the same turn,
// and a socket watched for nothing stays quiet, hung up or not.
#include "epoll_reactor.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <unistd.h>

#include <array>

using namespace lmn::net;

namespace {

// A connected pair of sockets; the first end is readable once something was written to the second.
struct SocketPair {
    std::array<int, 2> fd{-1, -1};
    SocketPair() { EXPECT_EQ(::socketpair(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK, 0, fd.data()), 0); }
    ~SocketPair() {
        for (int f : fd)
            if (f >= 0) ::close(f);
    }
    void MakeReadable() { ASSERT_EQ(::write(fd[1], "x", 1), 1); }
};

}  // namespace

TEST(EpollReactor, AWatchReplacedOrRemovedByAnotherCallbackIsNotCalledInTheSameTurn) {
    EpollReactor reactor;
    SocketPair p, q, r;
    for (SocketPair* s : {&p, &q, &r}) s->MakeReadable();
    int oldCalls = 0, newCalls = 0, removedCalls = 0;
    // Whichever of p and q comes first replaces the other's watch and removes r's.
    auto replaceTheOther = [&](int other) {
        return [&, other](unsigned) {
            if (++oldCalls > 1) return;
            reactor.watch(other, Reactor::kRead, [&](unsigned) { ++newCalls; });
            reactor.unwatch(r.fd[0]);
        };
    };
    reactor.watch(p.fd[0], Reactor::kRead, replaceTheOther(q.fd[0]));
    reactor.watch(q.fd[0], Reactor::kRead, replaceTheOther(p.fd[0]));
    reactor.watch(r.fd[0], Reactor::kRead, [&](unsigned) { ++removedCalls; });
    reactor.runOnce(0);
    if (removedCalls == 0) {  // r came after whichever ran first
        EXPECT_EQ(oldCalls, 1);
        EXPECT_EQ(newCalls, 0);
    }
    EXPECT_LE(removedCalls, 1);

    // The next turn calls the new watch, still readable, and never the removed one again.
    const int removedBefore = removedCalls;
    reactor.runOnce(0);
    EXPECT_EQ(newCalls, 1);
    EXPECT_EQ(oldCalls, 2);
    EXPECT_EQ(removedCalls, removedBefore);
}

TEST(EpollReactor, ASocketWatchedForNothingStaysQuietUntilWatchedAgain) {
    EpollReactor reactor;
    SocketPair hungUp;
    ::close(hungUp.fd[1]);
    hungUp.fd[1] = -1;
    unsigned got = 0;
    int calls = 0;
    reactor.watch(hungUp.fd[0], 0, [&](unsigned ready) {
        ++calls;
        got = ready;
    });
    reactor.runOnce(0);
    EXPECT_EQ(calls, 0);
    reactor.setInterests(hungUp.fd[0], Reactor::kRead);
    reactor.runOnce(0);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(got, Reactor::kRead);  // the hang-up reports as readable, for the handler's next read

    // Closed without being unwatched, its number comes back as a new socket, watched again.
    const int number = hungUp.fd[0];
    ::close(number);
    hungUp.fd[0] = -1;
    SocketPair reused;
    ASSERT_EQ(reused.fd[0], number);
    reused.MakeReadable();
    int reusedCalls = 0;
    reactor.watch(number, Reactor::kRead, [&](unsigned) { ++reusedCalls; });
    reactor.runOnce(0);
    EXPECT_EQ(reusedCalls, 1);
}
