#include "settings.h"

#include <string>
#include <utility>
#include <vector>

#include "arg_value.h"
#include "profile.h"

namespace lmn::shell {

namespace {

constexpr std::string_view kSection = "common";

}  // namespace

CConfig LoadConfig(const std::string& iniPath) {
    ProfileFile file(iniPath);
    CConfig defaults;
    CConfig c;
    c.strUrl = file.GetString(kSection, "strUrl", defaults.strUrl);
    c.bAutoLogin = file.GetInt(kSection, "bAutoLogin", defaults.bAutoLogin);
    c.strUserName = file.GetString(kSection, "strUserName", defaults.strUserName);
    c.strPassword = file.GetString(kSection, "strPassword", defaults.strPassword);
    c.bSaveMovieRecord = file.GetInt(kSection, "bSaveMovieRecord", defaults.bSaveMovieRecord);
    c.bMusic = file.GetInt(kSection, "bMusic", defaults.bMusic);
    c.bSound = file.GetInt(kSection, "bSound", defaults.bSound);
    c.bVoice = file.GetInt(kSection, "bVoice", defaults.bVoice);
    c.bOutIP = file.GetInt(kSection, "bOutIP", defaults.bOutIP);
    return c;
}

bool SaveConfig(const CConfig& c, const std::string& iniPath) {
    ProfileFile file(iniPath);
    return file.WriteMany(kSection, {
                                        {"strUrl", c.strUrl},
                                        {"bAutoLogin", std::to_string(c.bAutoLogin)},
                                        {"strUserName", c.strUserName},
                                        {"strPassword", c.strPassword},
                                        {"bSaveMovieRecord", std::to_string(c.bSaveMovieRecord)},
                                        {"bMusic", std::to_string(c.bMusic)},
                                        {"bSound", std::to_string(c.bSound)},
                                        {"bVoice", std::to_string(c.bVoice)},
                                        {"bOutIP", std::to_string(c.bOutIP)},
                                    });
}

std::string SettingReplyText(const CConfig& c) {
    return "type=[setting]&bMusic=" + std::to_string(c.bMusic) + "&bSound=" + std::to_string(c.bSound) +
           "&bVoice=" + std::to_string(c.bVoice) + "&bAutoLogin=" + std::to_string(c.bAutoLogin) +
           "&username=" + c.strUserName + "&password=" + c.strPassword +
           "&bSaveRecord=" + std::to_string(c.bSaveMovieRecord) + "&bOutIP=" + std::to_string(c.bOutIP);
}

void ApplySaveSettingCommand(CConfig& c, std::string_view text) {
    c.bMusic = GetArgInt(text, "bMusic");
    c.bSound = GetArgInt(text, "bSound");
    c.bVoice = GetArgInt(text, "bVoice");
    c.bAutoLogin = GetArgInt(text, "bAutoLogin");
    c.strUserName = GetArgValue(text, "username");
    c.strPassword = GetArgValue(text, "password");
    c.bSaveMovieRecord = GetArgInt(text, "bSaveRecord");
    c.bOutIP = GetArgInt(text, "bOutIP");
}

}  // namespace lmn::shell
