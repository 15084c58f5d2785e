// The browser page of the main window. Every navigation (main frame and sub-frames, whatever
// started it) is shown to the client first; new windows are opened through a throwaway page
// that learns the address and asks the client where it belongs.
#pragma once

#include <QWebEnginePage>
#include <functional>

namespace lmn::shell {

class CommandPage : public QWebEnginePage {
  public:
    struct Callbacks {
        // Returns true to cancel the navigation.
        std::function<bool(const QUrl& url)> beforeNavigate;
        // Returns true when the new window may open inside the client.
        std::function<bool(const QUrl& url)> newWindow;
    };

    CommandPage(QWebEngineProfile* profile, Callbacks callbacks, QObject* parent);

  protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override;
    QWebEnginePage* createWindow(WebWindowType type) override;

  private:
    Callbacks callbacks_;
};

}  // namespace lmn::shell
