// The main window's timers with fixed ids, on QTimer.
#pragma once

#include <QObject>
#include <QTimer>
#include <functional>
#include <map>

namespace lmn::shell {

class QtTimerTable : public QObject {
  public:
    explicit QtTimerTable(std::function<void(int id)> onTimer) : onTimer_(std::move(onTimer)) {}

    // Starting a running timer restarts it with the new period.
    void Start(int id, int periodMs);
    void Kill(int id);
    bool IsActive(int id) const;

  private:
    std::function<void(int)> onTimer_;
    std::map<int, QTimer*> timers_;
};

}  // namespace lmn::shell
