// [get_setting] and [save_setting]: the page shows and changes the settings.
#pragma once

#include <string>

#include "shell_context.h"

namespace lmn::shell {

class SettingsCommands {
  public:
    explicit SettingsCommands(ShellContext& context) : context_(context) {}

    // Reads config.ini into the settings and the base URL (once, when the window opens).
    void Load();
    void OnGetSetting(const std::string& commandText);
    // Stores the page's values (texts lower-cased), saves them, starts or stops the music and
    // tells the lobby about a changed outside-address switch, then reloads the client page.
    void OnSaveSetting(const std::string& commandText);

  private:
    ShellContext& context_;
};

}  // namespace lmn::shell
