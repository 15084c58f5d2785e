#include "qt_update_host.h"

#include <QMetaObject>
#include <QThread>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

#include "process.h"

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

bool QtUpdateHost::AskYesNo(const std::string& text, const std::string& caption) {
    bool yes = false;
    OnWindowThread([&] { yes = window_->AskYesNo(text, caption); });
    return yes;
}

void QtUpdateHost::ShowMessage(const std::string& text, const std::string& caption) {
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
