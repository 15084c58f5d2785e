#include "input_name_dlg.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace lmn::maker {

InputNameDlg::InputNameDlg(QWidget* parent) : QDialog(parent), edit_(new QLineEdit(this)) {
    setWindowTitle("请输入");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(
        new QLabel("这是您第一次使用卡片制作器，请输入您\n在游戏中的用户名，以后就不用输了", this));
    layout->addWidget(edit_);
    auto* buttons = new QHBoxLayout;
    auto* ok = new QPushButton("确认", this);
    auto* cancel = new QPushButton("取消", this);
    ok->setDefault(true);
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    connect(ok, &QPushButton::clicked, this, [this] { OnOk(); });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

QString InputNameDlg::name() const {
    return edit_->text();
}

void InputNameDlg::OnOk() {
    if (edit_->text().isEmpty()) {
        QMessageBox::information(this, windowTitle(), "请输入您在游戏中的用户名");
        return;
    }
    accept();
}

}  // namespace lmn::maker
