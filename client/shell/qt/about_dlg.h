// "关于 LMN_KX": the program's icon, its version line and an OK button.
#pragma once

#include <QDialog>
#include <QIcon>

namespace lmn::shell {

class CAboutDlg : public QDialog {
  public:
    CAboutDlg(const QIcon& icon, QWidget* parent);

    // "LMN_KX 4.62 版"
    static QString VersionLine();
};

}  // namespace lmn::shell
