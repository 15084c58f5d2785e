#include "command_page.h"

#include <QMetaObject>
#include <QThread>
#include <QWebEngineUrlRequestInfo>
#include <QWebEngineView>

#include "cancelled_navigations.h"
#include "fixed_values.h"

namespace lmn::shell {

namespace {

bool IsCommandHost(const QUrl& url) {
    return url.host() ==
           QString::fromLatin1(kCommandHost.data(), static_cast<qsizetype>(kCommandHost.size()));
}

// window.open hands createWindow no address: this page sees it on its first navigation, asks
// the client, and then either becomes a window of its own or goes away.
class NewWindowPage : public QWebEnginePage {
  public:
    NewWindowPage(QWebEngineProfile* profile, std::function<bool(const QUrl&)> decide, QObject* parent)
        : QWebEnginePage(profile, parent), decide_(std::move(decide)) {}

  protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType, bool isMainFrame) override {
        if (!isMainFrame || decided_) return true;
        decided_ = true;
        if (decide_(url)) {
            auto* view = new QWebEngineView;
            view->setAttribute(Qt::WA_DeleteOnClose);
            view->setPage(this);
            setParent(view);
            view->resize(1000, 700);
            view->show();
            return true;
        }
        deleteLater();
        return false;
    }

  private:
    std::function<bool(const QUrl&)> decide_;
    bool decided_ = false;
};

}  // namespace

CommandPage::CommandPage(QWebEngineProfile* profile, Callbacks callbacks, QObject* parent)
    : QWebEnginePage(profile, parent), callbacks_(std::move(callbacks)) {
    CancelledNavigations::InstallInto(profile);
    setUrlRequestInterceptor(&requests_);
}

bool CommandPage::acceptNavigationRequest(const QUrl& url, NavigationType, bool isMainFrame) {
    if (!isMainFrame && IsCommandHost(url)) return true;  // caught with its frame as a request
    return !callbacks_.beforeNavigate(url, this->url());
}

void CommandPage::CommandRequests::interceptRequest(QWebEngineUrlRequestInfo& info) {
    if (!IsCommandHost(info.requestUrl())) return;
    if (info.resourceType() != QWebEngineUrlRequestInfo::ResourceTypeSubFrame) {
        info.block(true);
        return;
    }
    const QUrl url = info.requestUrl();
    const QUrl source = info.initiator();
    info.redirect(CancelledNavigations::Target());
    if (QThread::currentThread() == thread()) {
        callbacks_.frameCommand(url, source);
    } else {
        QMetaObject::invokeMethod(this, [this, url, source] { callbacks_.frameCommand(url, source); });
    }
}

QWebEnginePage* CommandPage::createWindow(WebWindowType) {
    return new NewWindowPage(profile(), callbacks_.newWindow, this);
}

}  // namespace lmn::shell
