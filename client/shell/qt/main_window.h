// The game client's window: 988 x 630, titled "Lumenfold-Orvane软件系列", its whole area one
// browser view. It gives the core (CLMN_KXDlg) the platform and forwards every window,
// browser, timer, tray and hot-key event to it.
#pragma once

#include <QIcon>
#include <QWidget>
#include <map>
#include <memory>
#include <thread>

#include "lmn_kx_dlg.h"
#include "mixer_player.h"
#include "qt_timer_table.h"
#include "x11_window_closer.h"

class QWebEngineView;

namespace lmn::shell {

class BrowserInputFilter;
class CommandPage;
class GlobalHotKeys;
class TrayIcon;

class MainWindow : public QWidget, public ShellHost {
  public:
    MainWindow(std::string programDir, ServerAccess& server, RoomLink& roomLink);
    ~MainWindow() override;

    CLMN_KXDlg& core() { return *core_; }
    QWebEngineView* view() const { return view_; }

    // ShellHost
    void Navigate(const std::string& url) override;
    std::string CurrentUrl() const override;
    void RunPageScript(const std::string& utf8Script) override;
    MessageAnswer ShowMessage(const std::string& text, const std::string& caption,
                              MessageButtons buttons) override;
    int ShowContextMenu(const Menu& menu) override;
    void ShowAboutPage(const std::string& url) override;
    void StartTimer(int id, int periodMs) override { timers_.Start(id, periodMs); }
    void KillTimer(int id) override { timers_.Kill(id); }
    bool IsWindowVisible() const override { return isVisible(); }
    void SetWindowVisible(bool visible) override;
    void AddTrayIcon() override;
    void RemoveTrayIcon() override;
    void FlashCaption() override;
    bool StartProgram(const std::string& path, const std::vector<std::string>& args) override;
    void OpenInUserBrowser(const std::string& url) override;
    void Quit(int exitCode) override;
    void PostToWindowThread(std::function<void()> task) override;
    void Pause(int ms) override;
    void RunInBackground(std::function<void()> work, std::function<void()> done) override;

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void SetUpBrowser();
    void OnLoadFinished();
    void ShowAboutBox();

    QIcon icon_;
    QWebEngineView* view_ = nullptr;
    CommandPage* page_ = nullptr;
    BrowserInputFilter* inputFilter_ = nullptr;
    QtTimerTable timers_;
    std::unique_ptr<TrayIcon> tray_;
    std::unique_ptr<GlobalHotKeys> hotKeys_;
    bool pageIsUtf8_ = true;
    // Threads of RunInBackground, each removed once its done has run; declared before the core
    // so that they are joined after it is gone and post nothing to it.
    std::map<int, std::jthread> workers_;
    int lastWorker_ = 0;
    // The players the core drives; declared before it so they outlive it.
    std::unique_ptr<sound::MixerPlayer> sound_;
    std::unique_ptr<companions::X11WindowCloser> windows_;
    std::unique_ptr<CLMN_KXDlg> core_;
};

// The program's icon, drawn (the window, the tray and the about box share it).
QIcon ProgramIcon();

}  // namespace lmn::shell
