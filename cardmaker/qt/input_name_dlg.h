// The first-run prompt "请输入" for the player's name in the game.
#pragma once

#include <QDialog>

class QLineEdit;

namespace lmn::maker {

class InputNameDlg : public QDialog {
  public:
    explicit InputNameDlg(QWidget* parent = nullptr);
    QString name() const;

  private:
    void OnOk();
    QLineEdit* edit_;
};

}  // namespace lmn::maker
