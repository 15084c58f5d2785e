// Opening the audio output once per process. A machine without a sound device is not an error:
// when the configured (or default) driver cannot open, the silent "dummy" driver is used and
// the program goes on.
#pragma once

#include "sdl_mixer_library.h"

namespace lmn::sound {

inline constexpr int kOutputRate = 44100;
inline constexpr int kOutputChannels = 2;

// Opens SDL audio and the mixer; false only when not even the silent driver opens.
bool OpenAudioDevice(const SdlMixerLibrary& sdl);
void CloseAudioDevice(const SdlMixerLibrary& sdl);

}  // namespace lmn::sound
