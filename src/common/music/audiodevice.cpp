#include "common/music/audiodevice.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>

namespace kalvon {

AudioDevice::~AudioDevice()
{
    close();
}

bool AudioDevice::open(const AudioFormat& format)
{
    if (m_open)
        return true;
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
