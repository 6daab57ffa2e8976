#pragma once
// SDL2 and SDL2_mixer, loaded when the audio device first opens rather than when the program
// starts: the mixer's decoders pull in some sixty shared libraries, whose loading at start-up
// delayed the first window by about 15 ms. The table holds the functions this program calls;
// once loaded, the libraries stay for the life of the process (SDL does not unload cleanly).

#include <SDL.h>
#include <SDL_mixer.h>
#include <string>

namespace kalvon {

struct SdlAudio {
    decltype(&::SDL_SetHint) SetHint;
    decltype(&::SDL_InitSubSystem) InitSubSystem;
    decltype(&::SDL_QuitSubSystem) QuitSubSystem;
    decltype(&::SDL_GetError) GetError;
    decltype(&::Mix_OpenAudio) OpenAudio;
    decltype(&::Mix_CloseAudio) CloseAudio;
    decltype(&::Mix_AllocateChannels) AllocateChannels;
    decltype(&::Mix_ReserveChannels) ReserveChannels;
    decltype(&::Mix_Volume) Volume;
    decltype(&::Mix_VolumeMusic) VolumeMusic;
    decltype(&::Mix_SetSoundFonts) SetSoundFonts;
    decltype(&::Mix_LoadWAV) LoadWAV;
    decltype(&::Mix_FreeChunk) FreeChunk;
    decltype(&::Mix_PlayChannelTimed) PlayChannelTimed;
    decltype(&::Mix_HaltChannel) HaltChannel;
    decltype(&::Mix_LoadMUS) LoadMUS;
    decltype(&::Mix_FreeMusic) FreeMusic;
    decltype(&::Mix_PlayMusic) PlayMusic;
    decltype(&::Mix_PlayingMusic) PlayingMusic;
    decltype(&::Mix_PauseMusic) PauseMusic;
    decltype(&::Mix_ResumeMusic) ResumeMusic;
    decltype(&::Mix_HaltMusic) HaltMusic;
};

struct SdlAudioLoad {
    SdlAudio functions{};
    bool loaded = false; // false when a library or one of its functions is missing
    std::string error; // then what was missing
};

// Loads the two libraries by these names and finds every function of the table.
SdlAudioLoad loadSdlAudio(const char* sdlLibrary, const char* mixerLibrary);

// The system's SDL2 and SDL2_mixer, loaded on the first call only.
const SdlAudioLoad& systemSdlAudio();

} // namespace kalvon
