// Sees the window manager's close request (WM_DELETE_WINDOW) for one window before Qt does. Qt
// drops a close request for a window that a modal dialog blocks; the card maker must close on it
// whatever dialog is open, so the request is taken here and handed to onClose.
#pragma once

#include <QAbstractNativeEventFilter>
#include <QWidget>
#include <cstdint>
#include <functional>

namespace lmn::maker {

class CloseRequestFilter : public QAbstractNativeEventFilter {
  public:
    // Installs itself on the application; without an X11 connection it sees nothing.
    CloseRequestFilter(QWidget& window, std::function<void()> onClose);
    ~CloseRequestFilter() override;

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

  private:
    QWidget& window_;
    std::function<void()> onClose_;
    uint32_t protocols_ = 0;
    uint32_t deleteWindow_ = 0;
};

}  // namespace lmn::maker
