#include "tray_icon.h"

namespace lmn::shell {

TrayIcon::TrayIcon(QIcon icon, std::function<void()> onDoubleClick, std::function<void()> onRightClick) {
    icon_.setIcon(icon);
    icon_.setToolTip(QStringLiteral("Lumenfold"));
    connect(&icon_, &QSystemTrayIcon::activated, this,
            [onDoubleClick, onRightClick](QSystemTrayIcon::ActivationReason reason) {
                if (reason == QSystemTrayIcon::DoubleClick) onDoubleClick();
                if (reason == QSystemTrayIcon::Context) onRightClick();
            });
}

void TrayIcon::Add() {
    if (shown_) return;
    shown_ = true;
    icon_.show();
}

void TrayIcon::Remove() {
    shown_ = false;
    icon_.hide();
}

}  // namespace lmn::shell
