// Sees the browser's mouse and key events before the page: a right button never opens the
// browser's own menu, a left click can skip an introduction page, and the Enter key is the
// window's OK command during a battle.
#pragma once

#include <QObject>
#include <QPointer>
#include <functional>

class QWebEngineView;

namespace lmn::shell {

class BrowserInputFilter : public QObject {
  public:
    struct Callbacks {
        std::function<bool()> leftButtonDown;  // true: the click is used up
        std::function<bool()> enterKey;        // true: the key is used up
    };

    BrowserInputFilter(QWebEngineView* view, Callbacks callbacks);

    // The view's input widget appears with the first page; called after each load.
    void Attach();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QWebEngineView* view_;
    Callbacks callbacks_;
    QPointer<QObject> attached_;
};

}  // namespace lmn::shell
