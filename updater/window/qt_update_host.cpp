#include "qt_update_host.h"

#include <QMetaObject>
#include <QThread>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

#include "process.h"
#include "text.h"

namespace lmn::updater {

template <typename Fn>
void QtUpdateHost::OnWindowThread(Fn fn) {
    if (QThread::currentThread() == window_->thread())
        fn();
    else
        QMetaObject::invokeMethod(window_, fn, Qt::BlockingQueuedConnection);
}

void QtUpdateHost::SetStatus(const std::string& text) {
    window_->PostStatus(text);
}

void QtUpdateHost::SetProgress(int64_t received, int64_t total) {
    window_->PostProgress(received, total);
}

// Every message box is also written to standard output with the other diagnostics.
void QtUpdateHost::LogPrompt(const std::string& text, const std::string& caption) {
    std::string line =
        "prompt: " + GbkToUtf8(caption) + ": " + GbkToUtf8(ReplaceAll(text, "\r\n", " ")) + "\n";
    std::fputs(line.c_str(), stdout);
    std::fflush(stdout);
}

bool QtUpdateHost::AskYesNo(const std::string& text, const std::string& caption) {
    LogPrompt(text, caption);
    bool yes = false;
    OnWindowThread([&] { yes = window_->AskYesNo(text, caption); });
    return yes;
}

void QtUpdateHost::ShowMessage(const std::string& text, const std::string& caption) {
    LogPrompt(text, caption);
    OnWindowThread([&] { window_->ShowMessage(text, caption); });
}

bool QtUpdateHost::StartProgram(const std::string& path, const std::vector<std::string>& args) {
    return StartDetached(path, args);
}

void QtUpdateHost::Sleep(int milliseconds) {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

void QtUpdateHost::EndProcess(int code) {
    std::fflush(stdout);
    std::_Exit(code);
}

}  // namespace lmn::updater
