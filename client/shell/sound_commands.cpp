#include "sound_commands.h"

#include "arg_value.h"
#include "shell_context.h"
#include "sound_player.h"
#include "timer_table.h"

namespace lmn::shell {

SoundCommands::SoundCommands(ShellContext& context)
    : context_(context),
      countdown_({[this](const std::string& name) { PlayVoice(name); },
                  [this](int periodMs) { context_.host().StartTimer(kTimerReadTime, periodMs); },
                  [this] { context_.host().KillTimer(kTimerReadTime); }}) {}

void SoundCommands::OnPlayVoice(const std::string& commandText) {
    if (context_.state().config.bVoice) PlayVoice("sound\\" + GetArgValue(commandText, "filename"));
}

void SoundCommands::OnPlaySound(const std::string& commandText) {
    if (context_.state().config.bSound && context_.deps().sound)
        context_.deps().sound->PlayEffect("sound\\" + GetArgValue(commandText, "filename"));
}

void SoundCommands::OnReadtimeStart(const std::string&) {
    if (context_.state().config.bVoice) countdown_.Start();
}

void SoundCommands::OnReadtimeEnd(const std::string&) {
    countdown_.End();
}

void SoundCommands::OnReadTimeTick() {
    countdown_.Tick();
}

void SoundCommands::OnGreetingTimer() {
    if (context_.state().config.bVoice) PlayVoice(sound::kGreetingFile);
}

void SoundCommands::OnToggleMusic() {
    CConfig& config = context_.state().config;
    config.bMusic = !config.bMusic;
    SaveSettings();
    if (config.bMusic)
        context_.StartMusic();
    else
        context_.StopMusic();
}

void SoundCommands::OnToggleSound() {
    context_.state().config.bSound = !context_.state().config.bSound;
    SaveSettings();
}

void SoundCommands::OnToggleVoice() {
    context_.state().config.bVoice = !context_.state().config.bVoice;
    SaveSettings();
}

void SoundCommands::PlayVoice(const std::string& name) {
    if (context_.deps().sound) context_.deps().sound->PlayVoice(name);
}

void SoundCommands::SaveSettings() {
    SaveConfig(context_.state().config, context_.ConfigPath());
}

}  // namespace lmn::shell
