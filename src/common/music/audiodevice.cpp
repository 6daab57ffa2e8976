#include "common/music/audiodevice.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <algorithm>
#include <cstdlib>
#include <filesystem>

namespace kalvon {

namespace {

// General MIDI sound fonts, in the order they are preferred: the system's default choice first.
constexpr const char* kSoundFonts[] = {
    "/usr/share/sounds/sf2/default-GM.sf2",
    "/usr/share/sounds/sf3/default-GM.sf3",
    "/usr/share/sounds/sf2/FluidR3_GM.sf2",
    "/usr/share/sounds/sf2/TimGM6mb.sf2",
};

// Points the MIDI synthesiser at an installed sound font unless the user named one.
void chooseSoundFont()
{
    if (std::getenv("SDL_SOUNDFONTS"))
        return;
    for (const char* font : kSoundFonts) {
        std::error_code error;
        if (std::filesystem::is_regular_file(font, error)) {
            Mix_SetSoundFonts(font);
            return;
        }
    }
}

} // namespace

AudioDevice::~AudioDevice()
{
    close();
}

bool AudioDevice::open(const AudioFormat& format)
{
    if (m_open)
        return true;
    // SDL would otherwise turn SIGINT and SIGTERM into quit events of its own queue, which
    // nobody reads: the program could then not be ended by a logout or a kill.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        m_lastError = SDL_GetError();
        return false;
    }
    if (Mix_OpenAudio(format.frequency, MIX_DEFAULT_FORMAT, 2, 1024) != 0) {
        m_lastError = Mix_GetError();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    Mix_AllocateChannels(std::max(format.channels, 1));
    Mix_ReserveChannels(1);
    Mix_Volume(kEffectsChannel, kEffectsVolume);
    Mix_VolumeMusic(kMusicVolume);
    chooseSoundFont();
    m_open = true;
    m_lastError.clear();
    return true;
}

void AudioDevice::close()
{
    if (!m_open)
        return;
    Mix_HaltChannel(-1);
    Mix_HaltMusic();
    Mix_CloseAudio();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    m_open = false;
}

} // namespace kalvon
