// The browser page of the main window. Every navigation (main frame and sub-frames, whatever
// started it) is shown to the client first, with the address of the frame that made it; new
// windows are opened through a throwaway page that learns the address and asks the client
// where it belongs.
//
// Only the request itself names the frame a sub-frame's navigation came from, so a sub-frame
// navigation to the command host is let through to its request, which is handed over with its
// frame and then ends as an aborted navigation (see CancelledNavigations).
#pragma once

#include <QWebEnginePage>
#include <QWebEngineUrlRequestInterceptor>
#include <functional>

namespace lmn::shell {

class CommandPage : public QWebEnginePage {
  public:
    struct Callbacks {
        // A navigation and the address of the main frame; returns true to cancel it.
        std::function<bool(const QUrl& url, const QUrl& mainFrame)> beforeNavigate;
        // A sub-frame's navigation to the command host, and the origin of the frame that made it.
        std::function<void(const QUrl& url, const QUrl& sourceFrame)> frameCommand;
        // Returns true when the new window may open inside the client.
        std::function<bool(const QUrl& url)> newWindow;
    };

    CommandPage(QWebEngineProfile* profile, Callbacks callbacks, QObject* parent);

  protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override;
    QWebEnginePage* createWindow(WebWindowType type) override;

  private:
    // Stops every request to the command host; hands on those of sub-frame navigations.
    class CommandRequests : public QWebEngineUrlRequestInterceptor {
      public:
        CommandRequests(const Callbacks& callbacks, QObject* parent)
            : QWebEngineUrlRequestInterceptor(parent), callbacks_(callbacks) {}
        void interceptRequest(QWebEngineUrlRequestInfo& info) override;

      private:
        const Callbacks& callbacks_;
    };

    Callbacks callbacks_;
    CommandRequests requests_{callbacks_, this};
};

}  // namespace lmn::shell
