// "Lumenfold-编辑器": the card maker's main window. It shows the server page "maker.php" until
// a new picture is opened, then the picture with the draggable selection frame. It is the host
// of the card maker's core and owns the preview and the tool window.
#pragma once

#include <QMap>
#include <QWidget>
#include <memory>

#include "close_request_filter.h"
#include "maker_app.h"

class QMenuBar;
class QWebEngineView;

namespace lmn::maker {

class PreviewWindow;
class ToolWindow;
class SelectionCanvas;

class MainWindow : public QWidget, public MakerHost {
  public:
    MainWindow(std::string programDir, std::string_view commandLine);
    ~MainWindow() override;

    // Places the windows and starts the start-up timers; call once after construction.
    void Start();

    MakerApp& app() { return *app_; }
    PreviewWindow& preview() { return *preview_; }
    ToolWindow& tool() { return *tool_; }

    void ShowMessage(const std::string& text) override;
    bool AskYesNo(const std::string& text) override;
    bool AskOkCancel(const std::string& text, const std::string& caption) override;
    std::optional<std::string> ChooseFile(const std::string& filter,
                                          const std::string& initialFolder) override;
    std::optional<std::string> AskUserName() override;
    void StartTimer(MakerTimer id, int milliseconds) override;
    void KillTimer(MakerTimer id) override;
    void Navigate(const std::string& url) override;
    void HideBrowser() override;
    void OpenInBrowser(const std::string& url) override;
    void RepaintPreview() override;
    void RepaintMain() override;
    void HideToolWindow() override;
    void RunPublishDialog() override;
    void Quit(int status) override;

    // The window manager's close request: every open dialog is cancelled as Escape would, no new
    // one is shown, and the program ends with status 0.
    void OnCloseRequest();
    bool closing() const { return closing_; }

  protected:
    void timerEvent(QTimerEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void BuildMenu();
    void PlaceWindows();
    void ShowAbout();

    std::unique_ptr<MakerApp> app_;
    QMenuBar* menu_ = nullptr;
    QWidget* content_ = nullptr;
    SelectionCanvas* canvas_ = nullptr;
    QWebEngineView* web_ = nullptr;
    PreviewWindow* preview_ = nullptr;
    ToolWindow* tool_ = nullptr;
    QMap<int, MakerTimer> timers_;
    bool closing_ = false;
    std::unique_ptr<CloseRequestFilter> closeFilter_;
};

}  // namespace lmn::maker
