#include "audio_device.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <cstdio>

namespace lmn::sound {

namespace {

constexpr int kBufferFrames = 1024;

bool TryOpen() {
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
    if (Mix_OpenAudio(kOutputRate, AUDIO_S16SYS, kOutputChannels, kBufferFrames) == 0) return true;
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return false;
}

}  // namespace

bool OpenAudioDevice() {
    // SDL would otherwise catch SIGINT and SIGTERM for an event queue this program never
    // reads, and the client could no longer be ended by a signal.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    Mix_Init(MIX_INIT_MP3);
    if (TryOpen()) return true;
    std::fprintf(stderr, "sound: no audio device (%s), playing silently\n", SDL_GetError());
    SDL_setenv("SDL_AUDIODRIVER", "dummy", 1);
    return TryOpen();
}

void CloseAudioDevice() {
    Mix_CloseAudio();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    Mix_Quit();
}

}  // namespace lmn::sound
