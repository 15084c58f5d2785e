#include "qt_timer_table.h"

namespace lmn::shell {

void QtTimerTable::Start(int id, int periodMs) {
    QTimer*& timer = timers_[id];
    if (timer == nullptr) {
        timer = new QTimer(this);
        timer->setTimerType(Qt::PreciseTimer);
        connect(timer, &QTimer::timeout, this, [this, id] { onTimer_(id); });
    }
    timer->start(periodMs);
}

void QtTimerTable::Kill(int id) {
    auto it = timers_.find(id);
    if (it != timers_.end()) it->second->stop();
}

bool QtTimerTable::IsActive(int id) const {
    auto it = timers_.find(id);
    return it != timers_.end() && it->second->isActive();
}

}  // namespace lmn::shell
