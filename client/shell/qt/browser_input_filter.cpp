#include "browser_input_filter.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QWebEngineView>

namespace lmn::shell {

BrowserInputFilter::BrowserInputFilter(QWebEngineView* view, Callbacks callbacks)
    : QObject(view), view_(view), callbacks_(std::move(callbacks)) {}

void BrowserInputFilter::Attach() {
    QWidget* proxy = view_->focusProxy();
    if (proxy == nullptr || proxy == attached_) return;
    proxy->installEventFilter(this);
    attached_ = proxy;
}

bool BrowserInputFilter::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::MouseButtonPress:
            if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
                return callbacks_.leftButtonDown();
            break;
        case QEvent::MouseButtonRelease:
            if (static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) return true;
            break;
        case QEvent::ContextMenu:
            return true;
        case QEvent::KeyPress: {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) return callbacks_.enterKey();
            break;
        }
        default:
            break;
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace lmn::shell
