#include "sdl_mixer_library.h"

#include <dlfcn.h>

#include <cstdio>

namespace lmn::sound {

namespace {

constexpr const char* kLibraryFile = "libSDL2_mixer-2.0.so.0";

template <typename Function>
bool Resolve(void* library, const char* name, Function& function) {
    function = reinterpret_cast<Function>(dlsym(library, name));
    if (!function) std::fprintf(stderr, "sound: %s has no %s, playing nothing\n", kLibraryFile, name);
    return function != nullptr;
}

const SdlMixerLibrary* Load() {
    void* library = dlopen(kLibraryFile, RTLD_NOW | RTLD_LOCAL);
    if (!library) {
        std::fprintf(stderr, "sound: %s, playing nothing\n", dlerror());
        return nullptr;
    }
    static SdlMixerLibrary functions;
#define LMN_SDL_MIXER_RESOLVE(name) Resolve(library, #name, functions.name)&&
    if (LMN_SDL_MIXER_FUNCTIONS(LMN_SDL_MIXER_RESOLVE) true) return &functions;
#undef LMN_SDL_MIXER_RESOLVE
    dlclose(library);
    return nullptr;
}

}  // namespace

const SdlMixerLibrary* SdlMixer() {
    static const SdlMixerLibrary* const loaded = Load();
    return loaded;
}

}  // namespace lmn::sound
