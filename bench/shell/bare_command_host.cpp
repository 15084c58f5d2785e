// The browser's own floor for the client's command bridge: a bare QWebEngineView of the
// client's size whose request interceptor catches each command of a sub-frame, ends it as the
// client does, and answers [get_setting] at once (on the next turn of the event loop) with
// client_cmd, with nothing of the game client around it.
//   bare_command_host URL
#include <QApplication>
#include <QTimer>
#include <QUrl>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineUrlRequestInfo>
#include <QWebEngineUrlRequestInterceptor>
#include <QWebEngineView>

#include "cancelled_navigations.h"

namespace {

class Answers : public QWebEngineUrlRequestInterceptor {
  public:
    explicit Answers(QWebEnginePage* page) : page_(page) {}

    void interceptRequest(QWebEngineUrlRequestInfo& info) override {
        if (info.requestUrl().host() != QLatin1String("lmnkx-cmd")) return;
        const bool settings = info.requestUrl().toString().contains(QLatin1String("[get_setting]"));
        info.redirect(lmn::shell::CancelledNavigations::Target());
        if (!settings) return;
        QTimer::singleShot(0, page_, [page = page_] {
            page->runJavaScript(QStringLiteral(
                "client_cmd('type=[setting]&bMusic=0&bSound=0&bVoice=0&bAutoLogin=1&username=bencha&"
                "password=pw&bSaveRecord=1&bOutIP=0')"));
        });
    }

  private:
    QWebEnginePage* page_;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return 2;
    // As in the client: one frame carries every command, past the browser's navigation limit.
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS",
            qgetenv("QTWEBENGINE_CHROMIUM_FLAGS").append(" --disable-ipc-flooding-protection"));
    lmn::shell::CancelledNavigations::RegisterScheme();
    QApplication app(argc, argv);
    QWebEngineView view;
    auto* page = new QWebEnginePage(QWebEngineProfile::defaultProfile(), &view);
    lmn::shell::CancelledNavigations::InstallInto(page->profile());
    Answers answers(page);
    page->setUrlRequestInterceptor(&answers);
    view.setPage(page);
    view.resize(988, 630);
    view.load(QUrl(QString::fromLocal8Bit(argv[1])));
    view.show();
    return app.exec();
}
