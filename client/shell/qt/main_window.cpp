#include "main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QCursor>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QMenu>
#include <QMessageBox>
#include <QScreen>
#include <QShortcut>
#include <QThread>
#include <QTimer>
#include <QVBoxLayout>
#include <QWebEngineLoadingInfo>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <QWebEngineView>

#include "about_dlg.h"
#include "about_page_dlg.h"
#include "browser_input_filter.h"
#include "browser_url.h"
#include "card_maker_launcher.h"
#include "command_page.h"
#include "global_hot_keys.h"
#include "http.h"
#include "navigation_watch.h"
#include "process.h"
#include "text.h"
#include "tray_icon.h"

namespace lmn::shell {

namespace {

QString Wide(const std::string& gbk) {
    return QString::fromStdString(GbkToUtf8(gbk));
}

// A GBK address as the browser takes it: local files by path, web addresses with their
// blanks and high bytes percent-encoded (the server reads the bytes as GBK).
QUrl ToQUrl(const std::string& gbkUrl) {
    if (!gbkUrl.empty() && gbkUrl[0] == '/') return QUrl::fromLocalFile(QString::fromLocal8Bit(gbkUrl));
    return QUrl::fromEncoded(QByteArray::fromStdString(EncodeRequestUrl(gbkUrl)), QUrl::TolerantMode);
}

// A load that failed because the server could not be reached or answered with an error; a
// load cancelled or replaced by another navigation fails in the browser's own domain instead.
bool LoadReachedNoServer(const QWebEngineLoadingInfo& info) {
    if (info.status() != QWebEngineLoadingInfo::LoadFailedStatus) return false;
    switch (info.errorDomain()) {
        case QWebEngineLoadingInfo::ConnectionErrorDomain:
        case QWebEngineLoadingInfo::DnsErrorDomain:
        case QWebEngineLoadingInfo::HttpErrorDomain:
        case QWebEngineLoadingInfo::HttpStatusCodeDomain:
            return true;
        default:
            return false;
    }
}

// The Flash player sends a movie's getURL with an empty query ("...?"); the address is the same
// without it, and the command text must be what the movie asked for.
QUrl WithoutEmptyQuery(QUrl url) {
    if (url.hasQuery() && url.query(QUrl::FullyEncoded).isEmpty()) url.setQuery(QString());
    return url;
}

}  // namespace

MainWindow::MainWindow(std::string programDir, ServerAccess& server, RoomLink& roomLink)
    : icon_(ProgramIcon()), timers_([this](int id) { core_->OnTimer(id); }) {
    setWindowTitle(QStringLiteral("Lumenfold-Orvane软件系列"));
    setWindowIcon(icon_);
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFixedSize(kWindowWidth, kWindowHeight);
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    // The timers belong to this window, which owns the player: none fires after it is gone.
    sound_ = std::make_unique<sound::MixerPlayer>(programDir, [this](int ms, std::function<void()> task) {
        QTimer::singleShot(ms, this, std::move(task));
    });
    // A card maker is waited for until its process has ended; one that has not ended 5 s after
    // its close request is ended, so that only the one started next runs.
    windows_ = std::make_unique<companions::X11WindowCloser>(
        std::chrono::seconds(5), companions::X11WindowCloser::Log{}, companions::IsCardMakerProcess);
    ShellDeps deps{*this, server, std::move(programDir)};
    deps.sound = sound_.get();
    deps.windows = windows_.get();
    deps.roomLink = &roomLink;
    core_ = std::make_unique<CLMN_KXDlg>(std::move(deps));
    SetUpBrowser();
    tray_ = std::make_unique<TrayIcon>(
        icon_, [this] { core_->OnTrayDoubleClick(); }, [this] { core_->OnTrayRightClick(); });
    hotKeys_ = std::make_unique<GlobalHotKeys>([this](int id) { core_->OnHotKey(id); });
    auto* about = new QShortcut(QKeySequence(QStringLiteral("Alt+A")), this);
    about->setContext(Qt::WindowShortcut);
    connect(about, &QShortcut::activated, this, [this] { ShowAboutBox(); });
    core_->OnInitDialog();
}

MainWindow::~MainWindow() = default;

void MainWindow::SetUpBrowser() {
    view_ = new QWebEngineView(this);
    view_->setContextMenuPolicy(Qt::NoContextMenu);
    CommandPage::Callbacks callbacks;
    callbacks.beforeNavigate = [this](const QUrl& url, const QUrl& mainFrame) {
        const std::string text =
            DecodeBrowserUrl(WithoutEmptyQuery(url).toEncoded().toStdString(), pageIsUtf8_);
        if (ClassifyBeforeNavigate(text) == BeforeNavigateAction::QueueCommand &&
            !core_->AcceptsCommandsFrom(mainFrame.toString().toStdString()))
            return true;
        return core_->OnBeforeNavigate(text);
    };
    callbacks.frameCommand = [this](const QUrl& url, const QUrl& sourceFrame) {
        if (core_->AcceptsCommandsFrom(sourceFrame.toString().toStdString()))
            core_->OnBeforeNavigate(
                DecodeBrowserUrl(WithoutEmptyQuery(url).toEncoded().toStdString(), pageIsUtf8_));
    };
    callbacks.newWindow = [this](const QUrl& url) {
        const std::string text =
            DecodeBrowserUrl(WithoutEmptyQuery(url).toEncoded().toStdString(), pageIsUtf8_);
        // A command sent into a new window (a movie's getURL with "_blank") reaches the bridge
        // like any other; it never opens a window.
        if (ClassifyBeforeNavigate(text) == BeforeNavigateAction::QueueCommand) {
            if (core_->AcceptsCommandsFrom(view_->url().toString().toStdString()))
                core_->OnBeforeNavigate(text);
            return false;
        }
        return core_->OnNewWindow(text);
    };
    page_ = new CommandPage(QWebEngineProfile::defaultProfile(), std::move(callbacks), view_);
    page_->settings()->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, true);
    view_->setPage(page_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view_);

    BrowserInputFilter::Callbacks input;
    input.leftButtonDown = [this] { return core_->OnLeftButtonDown(); };
    input.enterKey = [this] { return core_->OnOk(); };
    inputFilter_ = new BrowserInputFilter(view_, std::move(input));
    connect(view_, &QWebEngineView::urlChanged, this, [this](const QUrl& url) {
        core_->OnNavigateComplete(DecodeBrowserUrl(url.toEncoded().toStdString(), pageIsUtf8_));
    });
    connect(view_, &QWebEngineView::loadFinished, this, [this](bool) { OnLoadFinished(); });
    connect(page_, &QWebEnginePage::loadingChanged, this, [this](const QWebEngineLoadingInfo& info) {
        if (info.status() != QWebEngineLoadingInfo::LoadSucceededStatus &&
            info.status() != QWebEngineLoadingInfo::LoadFailedStatus)
            return;
        core_->OnMainFrameLoadFinished(DecodeBrowserUrl(info.url().toEncoded().toStdString(), pageIsUtf8_),
                                       LoadReachedNoServer(info));
    });
}

void MainWindow::OnLoadFinished() {
    inputFilter_->Attach();
    page_->runJavaScript(QStringLiteral("document.characterSet"), [this](const QVariant& charset) {
        pageIsUtf8_ = charset.toString().compare(QStringLiteral("UTF-8"), Qt::CaseInsensitive) == 0;
    });
}

void MainWindow::Navigate(const std::string& url) {
    view_->load(ToQUrl(url));
}

std::string MainWindow::CurrentUrl() const {
    return DecodeBrowserUrl(view_->url().toEncoded().toStdString(), pageIsUtf8_);
}

void MainWindow::RunPageScript(const std::string& utf8Script) {
    page_->runJavaScript(QString::fromStdString(utf8Script));
}

MessageAnswer MainWindow::ShowMessage(const std::string& text, const std::string& caption,
                                      MessageButtons buttons) {
    QMessageBox box(QMessageBox::NoIcon, caption.empty() ? QStringLiteral("LMN_KX") : Wide(caption),
                    Wide(text), QMessageBox::NoButton, this);
    switch (buttons) {
        case MessageButtons::Ok:
            box.setStandardButtons(QMessageBox::Ok);
            break;
        case MessageButtons::OkCancel:
            box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
            break;
        case MessageButtons::YesNo:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            break;
    }
    switch (box.exec()) {
        case QMessageBox::Cancel:
            return MessageAnswer::Cancel;
        case QMessageBox::Yes:
            return MessageAnswer::Yes;
        case QMessageBox::No:
            return MessageAnswer::No;
        default:
            return MessageAnswer::Ok;
    }
}

int MainWindow::ShowContextMenu(const Menu& menu) {
    QMenu popup(this);
    popup.setObjectName(QString::fromStdString(menu.name));
    for (const MenuItem& item : menu.items) {
        if (item.command == 0) {
            popup.addSeparator();
        } else {
            popup.addAction(Wide(item.text))->setData(item.command);
        }
    }
    QAction* chosen = popup.exec(QCursor::pos());
    return chosen ? chosen->data().toInt() : 0;
}

void MainWindow::ShowAboutPage(const std::string& url) {
    CAboutPageDlg dialog(ToQUrl(url), this);
    dialog.exec();
}

void MainWindow::ShowAboutBox() {
    CAboutDlg dialog(icon_, this);
    dialog.exec();
}

void MainWindow::SetWindowVisible(bool visible) {
    if (!visible) {
        hide();
        return;
    }
    show();
    setWindowState(windowState() & ~Qt::WindowMinimized);
    raise();
    activateWindow();
}

void MainWindow::AddTrayIcon() {
    tray_->Add();
}

void MainWindow::RemoveTrayIcon() {
    tray_->Remove();
}

void MainWindow::FlashCaption() {
    QApplication::alert(this);
}

bool MainWindow::StartProgram(const std::string& path, const std::vector<std::string>& args) {
    return StartDetached(path, args);
}

void MainWindow::OpenInUserBrowser(const std::string& url) {
    QDesktopServices::openUrl(ToQUrl(url));
}

void MainWindow::Quit(int exitCode) {
    tray_->Remove();
    QCoreApplication::exit(exitCode);
}

void MainWindow::PostToWindowThread(std::function<void()> task) {
    QMetaObject::invokeMethod(this, std::move(task), Qt::QueuedConnection);
}

void MainWindow::RunInBackground(std::function<void()> work, std::function<void()> done) {
    const int id = ++lastWorker_;
    workers_.emplace(id, std::jthread([this, id, work = std::move(work), done = std::move(done)]() mutable {
                         work();
                         PostToWindowThread([this, id, done = std::move(done)] {
                             done();
                             workers_.erase(id);
                         });
                     }));
}

void MainWindow::Pause(int ms) {
    QThread::msleep(static_cast<unsigned long>(ms));
}

void MainWindow::closeEvent(QCloseEvent* event) {
    event->ignore();
    core_->OnClose();
}

}  // namespace lmn::shell
