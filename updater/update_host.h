// What the update run needs from its window and the platform. The run calls these from its
// worker thread; every text is GBK.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace lmn::updater {

class UpdateHost {
  public:
    virtual ~UpdateHost() = default;

    // The one status line of the window.
    virtual void SetStatus(const std::string& text) = 0;
    // Bytes of the current download (total 0 when unknown); received < 0 when none is running.
    virtual void SetProgress(int64_t received, int64_t total) = 0;
    // A Yes/No message box; true for Yes.
    virtual bool AskYesNo(const std::string& text, const std::string& caption) = 0;
    // A message box with an OK button; returns when the player closed it.
    virtual void ShowMessage(const std::string& text, const std::string& caption) = 0;
    // Starts a program without waiting for it; true when it started.
    virtual bool StartProgram(const std::string& path, const std::vector<std::string>& args) = 0;
    virtual void Sleep(int milliseconds) = 0;
    // Ends the updater process; a host whose EndProcess came back would abort here.
    [[noreturn]] void Exit(int code) {
        EndProcess(code);
        std::abort();
    }

  protected:
    // Must not return.
    virtual void EndProcess(int code) = 0;
};

}  // namespace lmn::updater
