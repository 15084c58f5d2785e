// Voices, effects, the greeting, the read-time countdown and the sound switches of the menu.
// Each kind plays only while its switch is on (bVoice, bSound, bMusic).
#pragma once

#include <string>

#include "read_time_countdown.h"

namespace lmn::shell {

class ShellContext;

class SoundCommands {
  public:
    explicit SoundCommands(ShellContext& context);

    void OnPlayVoice(const std::string& commandText);
    void OnPlaySound(const std::string& commandText);
    void OnReadtimeStart(const std::string& commandText);
    void OnReadtimeEnd(const std::string& commandText);
    void OnReadTimeTick();
    void OnGreetingTimer();
    void OnToggleMusic();
    void OnToggleSound();
    void OnToggleVoice();

  private:
    void PlayVoice(const std::string& name);
    void SaveSettings();

    ShellContext& context_;
    sound::ReadTimeCountdown countdown_;
};

}  // namespace lmn::shell
