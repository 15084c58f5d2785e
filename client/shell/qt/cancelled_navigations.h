// Where a caught command's navigation is sent to end. Stopping the request outright ends the
// navigation as a failed load, and the browser's handling of that failure delays the next
// script call into the page by a few milliseconds; sent here, the navigation ends as aborted
// and the frame simply keeps what it showed.
#pragma once

#include <QUrl>
#include <QWebEngineUrlSchemeHandler>

class QWebEngineProfile;

namespace lmn::shell {

class CancelledNavigations : public QWebEngineUrlSchemeHandler {
  public:
    // Makes the scheme known to the browser; must run before the application object exists.
    static void RegisterScheme();
    // Installs one handler into the profile, once.
    static void InstallInto(QWebEngineProfile* profile);
    // The address a caught command's request is redirected to.
    static QUrl Target();

    using QWebEngineUrlSchemeHandler::QWebEngineUrlSchemeHandler;
    void requestStarted(QWebEngineUrlRequestJob* job) override;
};

}  // namespace lmn::shell
