#include "qt_reactor.h"

#include <QMetaObject>

namespace lmn::net {

QtReactor::QtReactor() : context_(std::make_unique<QObject>()) {}

QtReactor::~QtReactor() {
    for (auto& [fd, w] : watches_) {
        delete w.read;
        delete w.write;
    }
}

void QtReactor::retire(QSocketNotifier* notifier) {
    // The notifier may be the one whose activation is running right now.
    notifier->setEnabled(false);
    notifier->disconnect();
    notifier->deleteLater();
}

void QtReactor::watch(int fd, unsigned interests, ReadyFn onReady) {
    unwatch(fd);
    Watch w;
    w.onReady = std::make_shared<ReadyFn>(std::move(onReady));
    w.read = new QSocketNotifier(fd, QSocketNotifier::Read, context_.get());
    w.write = new QSocketNotifier(fd, QSocketNotifier::Write, context_.get());
    std::weak_ptr<ReadyFn> callback = w.onReady;
    QObject::connect(w.read, &QSocketNotifier::activated, context_.get(), [callback] {
        if (auto fn = callback.lock()) (*fn)(kRead);
    });
    QObject::connect(w.write, &QSocketNotifier::activated, context_.get(), [callback] {
        if (auto fn = callback.lock()) (*fn)(kWrite);
    });
    w.read->setEnabled(interests & kRead);
    w.write->setEnabled(interests & kWrite);
    watches_[fd] = w;
}

void QtReactor::setInterests(int fd, unsigned interests) {
    auto it = watches_.find(fd);
    if (it == watches_.end()) return;
    it->second.read->setEnabled(interests & kRead);
    it->second.write->setEnabled(interests & kWrite);
}

void QtReactor::unwatch(int fd) {
    auto it = watches_.find(fd);
    if (it == watches_.end()) return;
    retire(it->second.read);
    retire(it->second.write);
    watches_.erase(it);
}

void QtReactor::post(std::function<void()> task) {
    QMetaObject::invokeMethod(context_.get(), std::move(task), Qt::QueuedConnection);
}

}  // namespace lmn::net
