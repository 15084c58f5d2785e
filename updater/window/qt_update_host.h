// The update run's host in the Qt program: status and message boxes go to the window (message
// boxes from the worker thread wait for the window thread), programs start detached, and the
// process ends at once.
#pragma once

#include "update_host.h"
#include "update_window.h"

namespace lmn::updater {

class QtUpdateHost : public UpdateHost {
  public:
    void setWindow(UpdateWindow* window) { window_ = window; }

    void SetStatus(const std::string& text) override;
    void SetProgress(int64_t received, int64_t total) override;
    bool AskYesNo(const std::string& text, const std::string& caption) override;
    void ShowMessage(const std::string& text, const std::string& caption) override;
    bool StartProgram(const std::string& path, const std::vector<std::string>& args) override;
    void Sleep(int milliseconds) override;

  protected:
    void EndProcess(int code) override;

  private:
    // Runs fn on the window thread and waits for it.
    template <typename Fn>
    void OnWindowThread(Fn fn);
    static void LogPrompt(const std::string& text, const std::string& caption);

    UpdateWindow* window_ = nullptr;
};

}  // namespace lmn::updater
