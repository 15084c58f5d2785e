#include "tool_window.h"

#include <QCheckBox>
#include <QFontDialog>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSlider>

namespace lmn::maker {

ToolWindow::ToolWindow(MakerApp& app, QWidget* owner)
    : QWidget(owner, Qt::Tool),
      app_(app),
      zoom_(new QSlider(Qt::Horizontal, this)),
      changeCharacter_(new QCheckBox("更换卡片人物", this)),
      name_(new QLineEdit(this)),
      title_(new QLineEdit(this)),
      voice_(new QLineEdit(this)),
      intro_(new QPlainTextEdit(this)),
      ability_(new QLineEdit(this)),
      titleMarks_(new QCheckBox("自动添加书名号", this)),
      cvPrefix_(new QCheckBox("自动添加CV文字", this)),
      bold_(new QCheckBox("粗体", this)),
      smooth_(new QCheckBox("字体圆滑", this)) {
    setWindowTitle("工具栏");
    zoom_->setRange(0, kMaxZoom);
    zoom_->setValue(0);
    titleMarks_->setChecked(true);
    cvPrefix_->setChecked(true);
    smooth_->setChecked(true);
    intro_->setFixedHeight(48);
    auto* preview = new QPushButton("预览", this);
    auto* chooseFont = new QPushButton("选择字体", this);

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(8, 6, 8, 6);
    grid->setVerticalSpacing(3);
    grid->addWidget(new QLabel("图片缩放", this), 0, 0);
    grid->addWidget(new QLabel("放大", this), 0, 1, Qt::AlignRight);
    grid->addWidget(zoom_, 0, 2, 1, 3);
    grid->addWidget(new QLabel("缩小", this), 0, 5);
    grid->addWidget(changeCharacter_, 0, 6);
    grid->addWidget(new QLabel("人名：", this), 1, 0);
    grid->addWidget(name_, 1, 1, 1, 2);
    grid->addWidget(new QLabel("动画名：", this), 1, 3);
    grid->addWidget(title_, 1, 4, 1, 2);
    grid->addWidget(titleMarks_, 1, 6);
    grid->addWidget(new QLabel("声优：", this), 2, 0);
    grid->addWidget(voice_, 2, 1, 1, 2);
    grid->addWidget(new QLabel("能力：", this), 2, 3);
    grid->addWidget(ability_, 2, 4, 1, 2);
    grid->addWidget(cvPrefix_, 2, 6);
    grid->addWidget(new QLabel("简介：", this), 3, 0, Qt::AlignTop);
    grid->addWidget(intro_, 3, 1, 1, 5);
    auto* options = new QGridLayout;
    options->addWidget(bold_, 0, 0);
    options->addWidget(smooth_, 0, 1);
    options->addWidget(preview, 1, 0);
    options->addWidget(chooseFont, 1, 1);
    grid->addLayout(options, 3, 6);
    auto* note =
        new QLabel("（当前版本不支持自定义能力，如果您修改的是特效卡片，请照抄原卡片的能力描述）", this);
    note->setWordWrap(true);
    grid->addWidget(note, 4, 0, 1, 7);

    SetEditsEnabled(false);
    connect(zoom_, &QSlider::valueChanged, this, [this](int v) { app_.SetZoom(v); });
    connect(changeCharacter_, &QCheckBox::clicked, this,
            [this] { SetEditsEnabled(app_.OnChangeCharacter(Read())); });
    connect(preview, &QPushButton::clicked, this, [this] { app_.OnPreview(Read()); });
    connect(chooseFont, &QPushButton::clicked, this, [this] {
        bool ok = false;
        QFont chosen = QFontDialog::getFont(&ok, QFont(app_.card().fontFace), this, "选择字体");
        if (ok) app_.OnFontChosen(chosen.family());
    });
}

ToolValues ToolWindow::Read() const {
    ToolValues v;
    v.changeCharacter = changeCharacter_->isChecked();
    v.name = name_->text();
    v.title = title_->text();
    v.voiceActor = voice_->text();
    v.introduction = intro_->toPlainText();
    v.ability = ability_->text();
    v.titleMarks = titleMarks_->isChecked();
    v.cvPrefix = cvPrefix_->isChecked();
    v.bold = bold_->isChecked();
    v.smooth = smooth_->isChecked();
    return v;
}

void ToolWindow::SetEditsEnabled(bool on) {
    for (QWidget* w : {static_cast<QWidget*>(name_), static_cast<QWidget*>(title_),
                       static_cast<QWidget*>(voice_), static_cast<QWidget*>(intro_)})
        w->setEnabled(on);
}

void ToolWindow::SetTexts(const QString& name, const QString& title, const QString& voice,
                          const QString& intro, const QString& ability) {
    name_->setText(name);
    title_->setText(title);
    voice_->setText(voice);
    intro_->setPlainText(intro);
    ability_->setText(ability);
}

void ToolWindow::ClickChangeCharacter() {
    changeCharacter_->click();
}

void ToolWindow::ClickPreview() {
    app_.OnPreview(Read());
}

}  // namespace lmn::maker
