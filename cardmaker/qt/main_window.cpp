#include "main_window.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QMenuBar>
#include <QMessageBox>
#include <QScreen>
#include <QTimerEvent>
#include <QUrl>
#include <QVBoxLayout>
#include <QWebEngineView>

#include "card_fonts.h"
#include "dialog_closer.h"
#include "http.h"
#include "input_name_dlg.h"
#include "off_window_thread.h"
#include "preview_window.h"
#include "qt_text.h"
#include "sale_diy_card_dlg.h"
#include "selection_canvas.h"
#include "tool_window.h"

namespace lmn::maker {

namespace {
constexpr int kMainWidth = 700;
constexpr int kMainHeight = 500;
const QString kCaption = "LMN_KX_Card_Maker";
}  // namespace

MainWindow::MainWindow(std::string programDir, std::string_view commandLine)
    : app_(std::make_unique<MakerApp>(*this, std::move(programDir), commandLine,
                                      OffWindowThread(FetchWithStatus))) {
    setWindowTitle("Lumenfold-编辑器");
    app_->card().fontFace = ChooseCardFace();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    menu_ = new QMenuBar(this);
    layout->setMenuBar(menu_);
    content_ = new QWidget(this);
    layout->addWidget(content_);
    canvas_ = new SelectionCanvas(*app_, content_);
    if (app_->showsBrowser()) {
        web_ = new QWebEngineView(content_);
        web_->setGeometry(0, 0, kMainWidth, kMainHeight);
    }
    BuildMenu();
    preview_ = new PreviewWindow(*app_, this);
    tool_ = new ToolWindow(*app_, this);
    closeFilter_ = std::make_unique<CloseRequestFilter>(*this, [this] { OnCloseRequest(); });
}

MainWindow::~MainWindow() = default;

void MainWindow::BuildMenu() {
    QMenu* file = menu_->addMenu("文件");
    connect(file->addAction("退出"), &QAction::triggered, this, &QWidget::close);
    QMenu* edit = menu_->addMenu("卡片编辑");
    connect(edit->addAction("打开需要替换的卡片图片文件"), &QAction::triggered, this,
            [this] { app_->OpenCardPicture(); });
    connect(edit->addAction("打开准备换上的图片文件"), &QAction::triggered, this,
            [this] { app_->OpenNewPicture(); });
    connect(edit->addAction("生成新的卡片文件"), &QAction::triggered, this,
            [this] { app_->GenerateCardFiles(); });
    QMenu* help = menu_->addMenu("帮助");
    connect(help->addAction("如何使用"), &QAction::triggered, this, [this] { app_->OpenHelp(); });
    connect(help->addAction("关于"), &QAction::triggered, this, [this] { ShowAbout(); });
}

void MainWindow::ShowAbout() {
    QMessageBox::about(this, "关于 LMN_KX_Card_Maker", "LMN_KX_Card_Maker 卡片制作器\nLumenfold");
}

void MainWindow::Start() {
    resize(kMainWidth, kMainHeight);
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - QPoint(kMainWidth / 2, kMainHeight / 2));
    show();
    PlaceWindows();
    app_->Initialise();
}

void MainWindow::PlaceWindows() {
    QRect client(mapToGlobal(QPoint(0, 0)), size());
    preview_->move(client.right() + 1 - 100, client.top() + 20);
    preview_->show();
    if (app_->parameters().type != 3) {
        tool_->move(client.left(), client.bottom() + 1 - 200);
        tool_->show();
    }
    if (client.left() - 100 >= 0) move(client.left() - 100, 0);
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    canvas_->setGeometry(content_->rect());
    if (web_ && web_->isVisible()) web_->setGeometry(content_->rect());
}

void MainWindow::OnCloseRequest() {
    if (closing_) return;
    closing_ = true;
    CancelOpenDialogs();
    Quit(0);
}

void MainWindow::ShowMessage(const std::string& text) {
    if (closing_) return;
    QMessageBox::information(this, kCaption, FromUtf8(text));
}

bool MainWindow::AskYesNo(const std::string& text) {
    if (closing_) return false;
    return QMessageBox::question(this, kCaption, FromUtf8(text), QMessageBox::Yes | QMessageBox::No) ==
           QMessageBox::Yes;
}

bool MainWindow::AskOkCancel(const std::string& text, const std::string& caption) {
    if (closing_) return false;
    return QMessageBox::question(this, FromUtf8(caption), FromUtf8(text),
                                 QMessageBox::Ok | QMessageBox::Cancel) == QMessageBox::Ok;
}

std::optional<std::string> MainWindow::ChooseFile(const std::string& filter,
                                                  const std::string& initialFolder) {
    if (closing_) return std::nullopt;
    QString chosen =
        QFileDialog::getOpenFileName(this, QString(), FromUtf8(initialFolder), QtFileFilter(filter));
    if (chosen.isEmpty()) return std::nullopt;
    return ToUtf8(chosen);
}

std::optional<std::string> MainWindow::AskUserName() {
    if (closing_) return std::nullopt;
    InputNameDlg prompt;
    if (prompt.exec() != QDialog::Accepted) return std::nullopt;
    return ToGbk(prompt.name());
}

void MainWindow::StartTimer(MakerTimer id, int milliseconds) {
    timers_.insert(startTimer(milliseconds), id);
}

void MainWindow::KillTimer(MakerTimer id) {
    for (auto it = timers_.begin(); it != timers_.end(); ++it) {
        if (it.value() == id) {
            killTimer(it.key());
            timers_.erase(it);
            return;
        }
    }
}

void MainWindow::timerEvent(QTimerEvent* event) {
    auto it = timers_.find(event->timerId());
    if (it == timers_.end()) return QWidget::timerEvent(event);
    app_->OnTimer(it.value());
}

void MainWindow::Navigate(const std::string& url) {
    if (web_) web_->load(QUrl::fromEncoded(QByteArray::fromStdString(EncodeRequestUrl(url))));
}

void MainWindow::HideBrowser() {
    if (!web_) return;
    web_->hide();
    web_->setGeometry(0, 0, 0, 0);
}

void MainWindow::OpenInBrowser(const std::string& url) {
    QDesktopServices::openUrl(QUrl::fromEncoded(QByteArray::fromStdString(EncodeRequestUrl(url))));
}

void MainWindow::RepaintPreview() {
    preview_->update();
}

void MainWindow::RepaintMain() {
    canvas_->repaint();
}

void MainWindow::HideToolWindow() {
    tool_->hide();
}

void MainWindow::RunPublishDialog() {
    if (closing_) return;
    SaleDiyCardDlg dialog(*app_, *this, OffWindowThread(NetworkPublishServices()));
    dialog.exec();
}

void MainWindow::Quit(int status) {
    hide();
    QCoreApplication::exit(status);
}

}  // namespace lmn::maker
