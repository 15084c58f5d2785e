#include "sale_diy_card_dlg.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "qt_text.h"

namespace lmn::maker {

SaleDiyCardDlg::SaleDiyCardDlg(MakerApp& app, MakerHost& host, PublishServices services, QWidget* parent)
    : QDialog(parent),
      app_(app),
      host_(host),
      services_(std::move(services)),
      file_(new QLineEdit(this)),
      cards_(new QComboBox(this)),
      price_(new QLineEdit(this)),
      newName_(new QLineEdit(this)) {
    setWindowTitle("输入准备发布的卡片信息");
    cards_->setEditable(true);
    cards_->setInsertPolicy(QComboBox::NoInsert);
    for (const std::string& name : CardListOf(services_.fetch(CardListUrl(app_.parameters().url))))
        cards_->addItem(FromGbk(name));

    auto* browse = new QPushButton("...", this);
    auto* ok = new QPushButton("确定", this);
    auto* cancel = new QPushButton("取消", this);
    auto* help = new QPushButton("查看帮助", this);
    ok->setDefault(true);

    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel("选择卡片文件", this), 0, 0);
    grid->addWidget(file_, 0, 1);
    grid->addWidget(browse, 0, 2);
    grid->addWidget(new QLabel("准备替换的卡片", this), 1, 0);
    grid->addWidget(cards_, 1, 1, 1, 2);
    grid->addWidget(new QLabel("新卡片人物名", this), 2, 0);
    grid->addWidget(newName_, 2, 1, 1, 2);
    grid->addWidget(new QLabel("价格", this), 3, 0);
    grid->addWidget(price_, 3, 1);
    grid->addWidget(new QLabel("金币", this), 3, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(help);
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    grid->addLayout(buttons, 4, 0, 1, 3);
    setMinimumWidth(420);

    connect(browse, &QPushButton::clicked, this, [this] { ChooseFile(); });
    connect(ok, &QPushButton::clicked, this, [this] { ClickOk(); });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(help, &QPushButton::clicked, this,
            [this] { host_.OpenInBrowser(app_.parameters().url + "help/kpsd.php"); });
}

void SaleDiyCardDlg::ChooseFile() {
    if (std::optional<std::string> chosen = host_.ChooseFile(kCardPictureFilter, "")) {
        file_->setText(FromUtf8(*chosen));
        app_.ShowCardPicture(*chosen);
    }
}

void SaleDiyCardDlg::Fill(const QString& file, const QString& cardToReplace, const QString& newName,
                          const QString& price) {
    file_->setText(file);
    cards_->setCurrentText(cardToReplace);
    newName_->setText(newName);
    price_->setText(price);
}

void SaleDiyCardDlg::ClickOk() {
    PublishForm form{ToUtf8(file_->text()), ToGbk(cards_->currentText()), ToGbk(newName_->text()),
                     ToUtf8(price_->text())};
    if (PublishCard(form, app_.publishContext(), services_, host_) == PublishOutcome::Published) accept();
}

}  // namespace lmn::maker
