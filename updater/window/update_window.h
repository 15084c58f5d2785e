// The updater's window: the background picture, the status line written straight onto it,
// a bar for the current download and the skip button. The status is refreshed every 10 ms
// from what the worker thread last reported.
#pragma once

#include <QDialog>
#include <QImage>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>

class QLabel;
class QProgressBar;
class QPushButton;

namespace lmn::updater {

class UpdateWindow : public QDialog {
  public:
    // onSkipConfirmed runs on the window thread when the player confirms the skip prompt.
    explicit UpdateWindow(std::function<void()> onSkipConfirmed);

    // Thread-safe: read by the next status tick.
    void PostStatus(const std::string& gbkText);
    void PostProgress(int64_t received, int64_t total);

    // Message boxes on the window; call on the window thread.
    bool AskYesNo(const std::string& gbkText, const std::string& gbkCaption);
    void ShowMessage(const std::string& gbkText, const std::string& gbkCaption);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

  private:
    void OnSkip();
    void ShowStatus();

    QImage background_;
    QLabel* status_;
    QProgressBar* progress_;
    QPushButton* skip_;
    std::function<void()> onSkipConfirmed_;
    int statusTimer_ = 0;

    std::mutex mutex_;  // guards the three values below, written by the worker thread
    std::string statusText_;
    int64_t received_ = -1;
    int64_t total_ = 0;
};

}  // namespace lmn::updater
