// The transport's Reactor on the Qt event loop of the thread that creates it: socket readiness
// through QSocketNotifier, posted work as queued calls.
#pragma once

#include <QObject>
#include <QSocketNotifier>
#include <map>
#include <memory>

#include "reactor.h"

namespace lmn::net {

class QtReactor : public Reactor {
  public:
    QtReactor();
    ~QtReactor() override;
    QtReactor(const QtReactor&) = delete;
    QtReactor& operator=(const QtReactor&) = delete;

    void watch(int fd, unsigned interests, ReadyFn onReady) override;
    void setInterests(int fd, unsigned interests) override;
    void unwatch(int fd) override;
    void post(std::function<void()> task) override;

  private:
    struct Watch {
        QSocketNotifier* read = nullptr;
        QSocketNotifier* write = nullptr;
        std::shared_ptr<ReadyFn> onReady;
    };

    static void retire(QSocketNotifier* notifier);

    std::unique_ptr<QObject> context_;
    std::map<int, Watch> watches_;
};

}  // namespace lmn::net
