#include "about_dlg.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "client_urls.h"

namespace lmn::shell {

CAboutDlg::CAboutDlg(const QIcon& icon, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("关于 LMN_KX"));
    auto* picture = new QLabel;
    picture->setPixmap(icon.pixmap(32, 32));
    auto* version = new QLabel(VersionLine());
    version->setObjectName(QStringLiteral("version"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* row = new QHBoxLayout;
    row->addWidget(picture);
    row->addWidget(version, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(buttons);
}

QString CAboutDlg::VersionLine() {
    return QStringLiteral("LMN_KX %1 版").arg(QString::fromStdString(VersionText()));
}

}  // namespace lmn::shell
