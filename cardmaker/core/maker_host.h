// What the card maker's core asks of its windows. Texts handed to the host are UTF-8.
#pragma once

#include <optional>
#include <string>

namespace lmn::maker {

enum class MakerTimer { NamePrompt = 1, StartAction = 2 };

class MakerHost {
  public:
    virtual ~MakerHost() = default;

    virtual void ShowMessage(const std::string& text) = 0;
    virtual bool AskYesNo(const std::string& text) = 0;
    virtual bool AskOkCancel(const std::string& text, const std::string& caption) = 0;
    // A file-open dialog; nullopt on cancel. filter uses "description|patterns|" pairs.
    virtual std::optional<std::string> ChooseFile(const std::string& filter,
                                                  const std::string& initialFolder) = 0;
    // The first-run prompt; nullopt on cancel, otherwise the name typed (GBK).
    virtual std::optional<std::string> AskUserName() = 0;

    virtual void StartTimer(MakerTimer id, int milliseconds) = 0;
    virtual void KillTimer(MakerTimer id) = 0;

    virtual void Navigate(const std::string& url) = 0;
    virtual void HideBrowser() = 0;
    virtual void OpenInBrowser(const std::string& url) = 0;
    virtual void RepaintPreview() = 0;
    virtual void RepaintMain() = 0;
    virtual void HideToolWindow() = 0;
    // Runs the publish dialog modally.
    virtual void RunPublishDialog() = 0;
    // Ends the program with the exit status.
    virtual void Quit(int status) = 0;
};

}  // namespace lmn::maker
