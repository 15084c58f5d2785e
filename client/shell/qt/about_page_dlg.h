// "关于-Lumenfold": a 300 x 161 box whose whole area shows the server's about page.
#pragma once

#include <QDialog>
#include <QUrl>

class QWebEngineView;

namespace lmn::shell {

class CAboutPageDlg : public QDialog {
  public:
    CAboutPageDlg(const QUrl& aboutUrl, QWidget* parent);

  private:
    QWebEngineView* view_;
};

}  // namespace lmn::shell
