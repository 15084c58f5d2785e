#include "settings_commands.h"

#include "client_urls.h"

namespace lmn::shell {

void SettingsCommands::Load() {
    CConfig& config = context_.state().config;
    config = LoadConfig(context_.ConfigPath());
    context_.lobby().SetBaseUrl(config.strUrl);
}

void SettingsCommands::OnGetSetting(const std::string& /*commandText*/) {
    context_.CallPageScript(SettingReplyText(context_.state().config));
}

void SettingsCommands::OnSaveSetting(const std::string& commandText) {
    CConfig& config = context_.state().config;
    const int musicBefore = config.bMusic;
    const int outIpBefore = config.bOutIP;
    ApplySaveSettingCommand(config, commandText);
    // strUrl keeps the stored value: a base URL changed by [change_base_url] lives only in memory.
    SaveConfig(config, context_.ConfigPath());

    if (musicBefore && !config.bMusic) context_.StopMusic();
    if (!musicBefore && config.bMusic) context_.StartMusic();

    const std::string base = context_.BaseUrl();
    if (outIpBefore && !config.bOutIP)
        context_.server().FetchText(LobbyUrl(base, "set_inip2outip", "&flag=0"));
    if (!outIpBefore && config.bOutIP)
        context_.server().FetchText(LobbyUrl(base, "set_inip2outip", "&flag=1"));

    context_.host().Navigate(
        ClientPageUrl(base, context_.PagePath(), context_.lobby().LocalAddress(), config, /*refresh=*/true));
}

}  // namespace lmn::shell
