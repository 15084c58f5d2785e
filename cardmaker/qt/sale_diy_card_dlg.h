// "输入准备发布的卡片信息": the publish dialog of start action 3.
#pragma once

#include <QDialog>

#include "maker_app.h"

class QComboBox;
class QLineEdit;

namespace lmn::maker {

class SaleDiyCardDlg : public QDialog {
  public:
    SaleDiyCardDlg(MakerApp& app, MakerHost& host, PublishServices services, QWidget* parent = nullptr);

    // For the screenshots and the tests.
    void Fill(const QString& file, const QString& cardToReplace, const QString& newName,
              const QString& price);
    void ClickOk();

  private:
    void ChooseFile();

    MakerApp& app_;
    MakerHost& host_;
    PublishServices services_;
    QLineEdit* file_;
    QComboBox* cards_;
    QLineEdit* price_;
    QLineEdit* newName_;
};

}  // namespace lmn::maker
