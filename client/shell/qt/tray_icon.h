// The notification-area icon (tip "Lumenfold"). Without a notification area (e.g. under Xvfb)
// it stays invisible and nothing else changes.
#pragma once

#include <QIcon>
#include <QSystemTrayIcon>
#include <functional>

namespace lmn::shell {

class TrayIcon : public QObject {
  public:
    TrayIcon(QIcon icon, std::function<void()> onDoubleClick, std::function<void()> onRightClick);

    void Add();
    void Remove();
    bool Shown() const { return shown_; }

  private:
    QSystemTrayIcon icon_;
    bool shown_ = false;
};

}  // namespace lmn::shell
