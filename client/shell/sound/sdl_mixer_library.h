// SDL_mixer (and SDL with it), loaded when the first sound plays instead of when the program
// starts: the two bring about forty more shared libraries, which a client start would otherwise
// wait for before its window, though a session plays its first sound much later.
#pragma once

#include <SDL.h>
#include <SDL_mixer.h>

namespace lmn::sound {

// Every function the sound player calls (SDL's own come with SDL_mixer, which depends on SDL).
// clang-format off
#define LMN_SDL_MIXER_FUNCTIONS(F) \
    F(SDL_InitSubSystem) F(SDL_QuitSubSystem) F(SDL_SetHint) F(SDL_GetError) \
    F(SDL_setenv) F(Mix_Init) F(Mix_Quit) F(Mix_OpenAudio) \
    F(Mix_CloseAudio) F(Mix_AllocateChannels) F(Mix_GroupChannels) F(Mix_GroupAvailable) \
    F(Mix_GroupOldest) F(Mix_HaltChannel) F(Mix_HaltGroup) F(Mix_Playing) \
    F(Mix_LoadWAV) F(Mix_PlayChannel) F(Mix_FreeChunk)
// clang-format on

// The functions, resolved from the installed library under their own names.
struct SdlMixerLibrary {
#define LMN_SDL_MIXER_MEMBER(name) decltype(&::name) name = nullptr;
    LMN_SDL_MIXER_FUNCTIONS(LMN_SDL_MIXER_MEMBER)
#undef LMN_SDL_MIXER_MEMBER
};

// The library, loaded on the first call (from any thread) and kept for the life of the process;
// nullptr, with the reason on stderr, when it or one of its functions is missing.
const SdlMixerLibrary* SdlMixer();

}  // namespace lmn::sound
