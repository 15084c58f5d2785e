// The game client's settings in config.ini, section "common" (shared with the updater and the
// card maker, whose keys are left as they stand).
#pragma once

#include <string>
#include <string_view>

#include "fixed_values.h"

namespace lmn::shell {

struct CConfig {
    std::string strUrl{kDefaultBaseUrl};
    int bAutoLogin = 0;
    std::string strUserName;
    std::string strPassword;
    int bSaveMovieRecord = 1;
    int bMusic = 1;
    int bSound = 1;
    int bVoice = 1;
    int bOutIP = 0;
};

// Missing file or keys read as the defaults above.
CConfig LoadConfig(const std::string& iniPath);
// Writes all nine keys in one locked update; every other key and line of the file stays.
bool SaveConfig(const CConfig& config, const std::string& iniPath);

// The answer to [get_setting]: "type=[setting]&bMusic=..&...&bOutIP=..".
std::string SettingReplyText(const CConfig& config);
// Takes the eight values of a [save_setting] command text (texts arrive lower-cased).
void ApplySaveSettingCommand(CConfig& config, std::string_view commandText);

}  // namespace lmn::shell
