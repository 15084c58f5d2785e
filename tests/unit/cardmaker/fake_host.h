// A MakerHost that records what the core asked for and answers from a script.
#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "maker_host.h"

namespace lmn::test {

class FakeMakerHost : public maker::MakerHost {
  public:
    // Scripted answers, consumed in order; an empty queue answers no / cancel.
    std::deque<bool> answers;
    std::deque<std::optional<std::string>> chosenFiles;
    std::deque<std::optional<std::string>> typedNames;

    std::vector<std::string> messages;
    std::vector<std::string> questions;
    std::vector<std::string> calls;  // "navigate <url>", "timer 1", "quit 0", ...

    void ShowMessage(const std::string& text) override { messages.push_back(text); }
    bool AskYesNo(const std::string& text) override;
    bool AskOkCancel(const std::string& text, const std::string& caption) override;
    std::optional<std::string> ChooseFile(const std::string& filter,
                                          const std::string& initialFolder) override;
    std::optional<std::string> AskUserName() override;
    void StartTimer(maker::MakerTimer id, int ms) override;
    void KillTimer(maker::MakerTimer id) override;
    void Navigate(const std::string& url) override { calls.push_back("navigate " + url); }
    void HideBrowser() override { calls.push_back("hide browser"); }
    void OpenInBrowser(const std::string& url) override { calls.push_back("open " + url); }
    void RepaintPreview() override { ++previewRepaints; }
    void RepaintMain() override { ++mainRepaints; }
    void HideToolWindow() override { calls.push_back("hide tool window"); }
    void RunPublishDialog() override { calls.push_back("publish dialog"); }
    void Quit(int status) override { calls.push_back("quit " + std::to_string(status)); }

    bool Called(const std::string& call) const;

    int previewRepaints = 0;
    int mainRepaints = 0;
    std::vector<std::string> fileDialogFolders;

  private:
    bool NextAnswer();
};

}  // namespace lmn::test
