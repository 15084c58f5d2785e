#include "about_page_dlg.h"

#include <QTimer>
#include <QVBoxLayout>
#include <QWebEngineView>

namespace lmn::shell {

CAboutPageDlg::CAboutPageDlg(const QUrl& aboutUrl, QWidget* parent)
    : QDialog(parent), view_(new QWebEngineView) {
    setWindowTitle(QStringLiteral("关于-Lumenfold"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view_);
    resize(300, 161);
    // The page is asked for once the box is on screen (its timer 1, 1 ms).
    QTimer::singleShot(1, this, [this, aboutUrl] { view_->load(aboutUrl); });
}

}  // namespace lmn::shell
