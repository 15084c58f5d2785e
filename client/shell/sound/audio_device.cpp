#include "audio_device.h"

#include <cstdio>

namespace lmn::sound {

namespace {

constexpr int kBufferFrames = 1024;

bool TryOpen(const SdlMixerLibrary& sdl) {
    if (sdl.SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
    if (sdl.Mix_OpenAudio(kOutputRate, AUDIO_S16SYS, kOutputChannels, kBufferFrames) == 0) return true;
    sdl.SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return false;
}

}  // namespace

bool OpenAudioDevice(const SdlMixerLibrary& sdl) {
    // SDL would otherwise catch SIGINT and SIGTERM for an event queue this program never
    // reads, and the client could no longer be ended by a signal.
    sdl.SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    sdl.Mix_Init(MIX_INIT_MP3);
    if (TryOpen(sdl)) return true;
    std::fprintf(stderr, "sound: no audio device (%s), playing silently\n", sdl.SDL_GetError());
    sdl.SDL_setenv("SDL_AUDIODRIVER", "dummy", 1);
    return TryOpen(sdl);
}

void CloseAudioDevice(const SdlMixerLibrary& sdl) {
    sdl.Mix_CloseAudio();
    sdl.SDL_QuitSubSystem(SDL_INIT_AUDIO);
    sdl.Mix_Quit();
}

}  // namespace lmn::sound
