// Page command texts: GetArgValue on any text and key, and DispatchCommand of any text on a
// client core whose host and server do nothing.
#include <cstddef>
#include <cstdint>
#include <string>

#include "arg_value.h"
#include "lmn_kx_dlg.h"
#include "page_script.h"

namespace {

using namespace lmn::shell;

class QuietHost : public ShellHost {
  public:
    void Navigate(const std::string& url) override { last_ = url; }
    std::string CurrentUrl() const override { return last_; }
    void RunPageScript(const std::string& script) override {
        if (script.find('\n') != std::string::npos) __builtin_trap();  // a raw line break would end the call
    }
    MessageAnswer ShowMessage(const std::string&, const std::string&, MessageButtons) override {
        return MessageAnswer::Cancel;
    }
    int ShowContextMenu(const Menu& menu) override { return menu.items.empty() ? 0 : menu.items[1].command; }
    void ShowAboutPage(const std::string&) override {}
    void StartTimer(int, int) override {}
    void KillTimer(int) override {}
    bool IsWindowVisible() const override { return true; }
    void SetWindowVisible(bool) override {}
    void AddTrayIcon() override {}
    void RemoveTrayIcon() override {}
    bool StartProgram(const std::string&, const std::vector<std::string>&) override { return false; }
    void OpenInUserBrowser(const std::string&) override {}
    void Quit(int) override {}
    void PostToWindowThread(std::function<void()> task) override { task(); }
    void Pause(int) override {}
    void FlashCaption() override {}

  private:
    std::string last_;
};

class QuietServer : public ServerAccess {
  public:
    std::string FetchText(const std::string&) override { return "RequestIpInterval=1&IP=127.0.0.1"; }
    bool DownloadFile(const std::string&, const std::string&) override { return false; }
    std::string LocalAddress() override { return "127.0.0.1"; }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static QuietHost host;
    static QuietServer server;
    // Settings are saved by [save_setting]: keep them in a folder of the fuzzer's own.
    static CLMN_KXDlg dlg(ShellDeps{host, server, "/tmp/lmn-shell-fuzz/"});
    const std::string text(reinterpret_cast<const char*>(data), size);
    const size_t split = text.find('\n');
    const std::string key = split == std::string::npos ? "id" : text.substr(0, split);
    const std::string value = GetArgValue(text, key);
    if (value.size() > text.size()) __builtin_trap();
    (void)GetArgInt(text, key);
    (void)ClientCmdScript(text);
    dlg.DispatchCommand(text);
    return 0;
}
