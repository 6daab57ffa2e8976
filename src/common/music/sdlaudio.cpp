#include "common/music/sdlaudio.h"

#include <dlfcn.h>

namespace kalvon {

namespace {

// The name dlerror() gives for the last failure, or a plain one.
std::string lastLoadError(const char* what)
{
    const char* error = ::dlerror();
    return error ? std::string(error) : std::string("cannot load ") + what;
}

// Finds `name` in `library` into `function`; false, with the error, when it is not there.
template <typename Function>
bool find(void* library, const char* name, Function& function, std::string& error)
{
    function = reinterpret_cast<Function>(::dlsym(library, name));
    if (!function)
        error = lastLoadError(name);
    return function != nullptr;
}

} // namespace

SdlAudioLoad loadSdlAudio(const char* sdlLibrary, const char* mixerLibrary)
{
    SdlAudioLoad load;
    // Global, so that the mixer's own references to SDL resolve to the library loaded here.
    void* sdl = ::dlopen(sdlLibrary, RTLD_NOW | RTLD_GLOBAL);
    if (!sdl) {
        load.error = lastLoadError(sdlLibrary);
        return load;
    }
    void* mixer = ::dlopen(mixerLibrary, RTLD_NOW | RTLD_GLOBAL);
    if (!mixer) {
        load.error = lastLoadError(mixerLibrary);
        return load;
    }
    SdlAudio* audio = &load.functions;
    std::string& error = load.error;
    load.loaded = find(sdl, "SDL_SetHint", audio->SetHint, error)
        && find(sdl, "SDL_InitSubSystem", audio->InitSubSystem, error)
        && find(sdl, "SDL_QuitSubSystem", audio->QuitSubSystem, error)
        && find(sdl, "SDL_GetError", audio->GetError, error)
        && find(mixer, "Mix_OpenAudio", audio->OpenAudio, error)
        && find(mixer, "Mix_CloseAudio", audio->CloseAudio, error)
        && find(mixer, "Mix_AllocateChannels", audio->AllocateChannels, error)
        && find(mixer, "Mix_ReserveChannels", audio->ReserveChannels, error)
        && find(mixer, "Mix_Volume", audio->Volume, error)
        && find(mixer, "Mix_VolumeMusic", audio->VolumeMusic, error)
        && find(mixer, "Mix_SetSoundFonts", audio->SetSoundFonts, error)
        && find(mixer, "Mix_LoadWAV", audio->LoadWAV, error)
        && find(mixer, "Mix_FreeChunk", audio->FreeChunk, error)
        && find(mixer, "Mix_PlayChannelTimed", audio->PlayChannelTimed, error)
        && find(mixer, "Mix_HaltChannel", audio->HaltChannel, error)
        && find(mixer, "Mix_LoadMUS", audio->LoadMUS, error)
        && find(mixer, "Mix_FreeMusic", audio->FreeMusic, error)
        && find(mixer, "Mix_PlayMusic", audio->PlayMusic, error)
        && find(mixer, "Mix_PlayingMusic", audio->PlayingMusic, error)
        && find(mixer, "Mix_PauseMusic", audio->PauseMusic, error)
        && find(mixer, "Mix_ResumeMusic", audio->ResumeMusic, error)
        && find(mixer, "Mix_HaltMusic", audio->HaltMusic, error);
    // The libraries stay loaded either way: nothing here can tell whether another part of the
    // process uses them too.
    return load;
}

const SdlAudioLoad& systemSdlAudio()
{
    static const SdlAudioLoad load = loadSdlAudio("libSDL2-2.0.so.0", "libSDL2_mixer-2.0.so.0");
    return load;
}

} // namespace kalvon
