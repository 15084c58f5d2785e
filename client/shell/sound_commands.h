// Voices, effects, the read-time countdown and the sound switches of the menu. The sound work fills these in;
// until then they do nothing.
#pragma once

#include <string>

namespace lmn::shell {

class SoundCommands {
  public:
    void OnPlayVoice(const std::string& /*commandText*/) {}
    void OnPlaySound(const std::string& /*commandText*/) {}
    void OnReadtimeStart(const std::string& /*commandText*/) {}
    void OnReadtimeEnd(const std::string& /*commandText*/) {}
    void OnReadTimeTick() {}
    void OnGreetingTimer() {}
    void OnToggleMusic() {}
    void OnToggleSound() {}
    void OnToggleVoice() {}
};

}  // namespace lmn::shell
