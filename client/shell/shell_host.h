// What the main window's core needs from the platform. The Qt program implements it; tests use
// a fake with a virtual clock. Texts are GBK unless a name says otherwise.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "menus.h"

namespace lmn::shell {

enum class MessageButtons { Ok, OkCancel, YesNo };
enum class MessageAnswer { Ok, Cancel, Yes, No };

class ShellHost {
  public:
    virtual ~ShellHost() = default;

    // Browser
    virtual void Navigate(const std::string& url) = 0;
    virtual std::string CurrentUrl() const = 0;
    virtual void RunPageScript(const std::string& utf8Script) = 0;

    // Dialogs and menus
    virtual MessageAnswer ShowMessage(const std::string& text, const std::string& caption,
                                      MessageButtons buttons) = 0;
    // Shows the menu at the cursor; the chosen command, or 0 when none was chosen.
    virtual int ShowContextMenu(const Menu& menu) = 0;
    virtual void ShowAboutPage(const std::string& url) = 0;

    // Timers with fixed ids: starting a running timer restarts it with the new period.
    virtual void StartTimer(int id, int periodMs) = 0;
    virtual void KillTimer(int id) = 0;

    // Window and notification area
    virtual bool IsWindowVisible() const = 0;
    // Showing also brings the window to the foreground.
    virtual void SetWindowVisible(bool visible) = 0;
    virtual void AddTrayIcon() = 0;
    virtual void RemoveTrayIcon() = 0;
    // Draws the player's attention to the window (an invitation or its answer arrived).
    virtual void FlashCaption() = 0;

    // Programs and the user's browser
    virtual bool StartProgram(const std::string& path, const std::vector<std::string>& args) = 0;
    virtual void OpenInUserBrowser(const std::string& url) = 0;

    // Process and threads
    virtual void Quit(int exitCode) = 0;
    // Runs task on the window thread; callable from any thread.
    virtual void PostToWindowThread(std::function<void()> task) = 0;
    // The short pause the command drain takes per command.
    virtual void Pause(int ms) = 0;
    // Runs work on a thread of its own (blocking requests), then done on the window thread.
    // This default runs both at once, on the caller's thread.
    virtual void RunInBackground(std::function<void()> work, std::function<void()> done) {
        work();
        done();
    }
};

}  // namespace lmn::shell
