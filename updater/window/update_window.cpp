#include "update_window.h"

#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QTimerEvent>

#include "text.h"
#include "window_geometry.h"

namespace lmn::updater {

namespace {

QString FromGbk(const std::string& gbk) {
    return QString::fromStdString(GbkToUtf8(gbk));
}

// The picture with its magenta pixels made see-through.
QImage LoadBackground() {
    QImage image = QImage(":/updater/background.png").convertToFormat(QImage::Format_ARGB32);
    const QRgb key = qRgb(255, 0, 255);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if ((line[x] & 0xFFFFFF) == (key & 0xFFFFFF)) line[x] = 0;
    }
    return image;
}

}  // namespace

UpdateWindow::UpdateWindow(std::function<void()> onSkipConfirmed)
    : background_(LoadBackground()), onSkipConfirmed_(std::move(onSkipConfirmed)) {
    setWindowTitle(QString::fromUtf8("Lumenfold-升级程序"));
    setWindowIcon(QIcon(":/updater/icon.png"));
    setFixedSize(kClientSize);

    status_ = new QLabel(this);
    status_->setGeometry(kStatusRect);
    status_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    status_->setWordWrap(true);
    QPalette black = status_->palette();
    black.setColor(QPalette::WindowText, Qt::black);
    status_->setPalette(black);

    progress_ = new QProgressBar(this);
    progress_->setGeometry(kProgressRect);
    progress_->setTextVisible(false);
    progress_->hide();

    skip_ = new QPushButton(QString::fromUtf8("跳过"), this);
    skip_->setGeometry(kSkipRect);
    skip_->setFocus();
    connect(skip_, &QPushButton::clicked, this, [this] { OnSkip(); });

    statusText_ = Utf8ToGbk("正在检查版本");
    status_->setText(FromGbk(statusText_));
    statusTimer_ = startTimer(kStatusTickMs, Qt::PreciseTimer);
}

void UpdateWindow::PostStatus(const std::string& gbkText) {
    std::lock_guard lock(mutex_);
    statusText_ = gbkText;
}

void UpdateWindow::PostProgress(int64_t received, int64_t total) {
    std::lock_guard lock(mutex_);
    received_ = received;
    total_ = total;
}

bool UpdateWindow::AskYesNo(const std::string& gbkText, const std::string& gbkCaption) {
    return QMessageBox::question(this, FromGbk(gbkCaption), FromGbk(gbkText),
                                 QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes) == QMessageBox::Yes;
}

void UpdateWindow::ShowMessage(const std::string& gbkText, const std::string& gbkCaption) {
    QMessageBox::information(this, FromGbk(gbkCaption), FromGbk(gbkText), QMessageBox::Ok);
}

void UpdateWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, background_);
}

void UpdateWindow::timerEvent(QTimerEvent* event) {
    if (event->timerId() == statusTimer_)
        ShowStatus();
    else
        QDialog::timerEvent(event);
}

void UpdateWindow::ShowStatus() {
    std::string text;
    int64_t received, total;
    {
        std::lock_guard lock(mutex_);
        text = statusText_;
        received = received_;
        total = total_;
    }
    QString shown = FromGbk(text);
    if (status_->text() != shown) status_->setText(shown);
    progress_->setVisible(received >= 0);
    if (received < 0) return;
    // The bar counts in kilobytes so that files above 2 GB still fit its int range.
    progress_->setMaximum(total > 0 ? static_cast<int>(total / 1024 + 1) : 0);
    progress_->setValue(total > 0 ? static_cast<int>(received / 1024) : 0);
}

void UpdateWindow::OnSkip() {
    std::string text =
        Utf8ToGbk("确定要跳过升级直接进入游戏吗？（一般用于当前网速过慢的情况，下次进入游戏仍然会提示升级）");
    if (AskYesNo(text, Utf8ToGbk("提示"))) onSkipConfirmed_();
}

}  // namespace lmn::updater
