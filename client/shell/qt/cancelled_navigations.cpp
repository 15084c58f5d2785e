#include "cancelled_navigations.h"

#include <QWebEngineProfile>
#include <QWebEngineUrlRequestJob>
#include <QWebEngineUrlScheme>

namespace lmn::shell {

namespace {

constexpr char kScheme[] = "lmnkx-cancelled";

}  // namespace

void CancelledNavigations::RegisterScheme() {
    QWebEngineUrlScheme scheme(kScheme);
    scheme.setSyntax(QWebEngineUrlScheme::Syntax::Path);
    // Pages from the web and from the program's folder both redirect their commands here.
    scheme.setFlags(QWebEngineUrlScheme::LocalAccessAllowed | QWebEngineUrlScheme::CorsEnabled);
    QWebEngineUrlScheme::registerScheme(scheme);
}

void CancelledNavigations::InstallInto(QWebEngineProfile* profile) {
    if (profile->urlSchemeHandler(kScheme) != nullptr) return;
    profile->installUrlSchemeHandler(kScheme, new CancelledNavigations(profile));
}

QUrl CancelledNavigations::Target() {
    return QUrl(QStringLiteral("%1:command").arg(QLatin1String(kScheme)));
}

void CancelledNavigations::requestStarted(QWebEngineUrlRequestJob* job) {
    job->fail(QWebEngineUrlRequestJob::RequestAborted);
}

}  // namespace lmn::shell
