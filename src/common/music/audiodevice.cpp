#include "common/music/audiodevice.h"

#include "common/music/sdlaudio.h"

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
void chooseSoundFont(const SdlAudio& sdl)
{
    if (std::getenv("SDL_SOUNDFONTS"))
        return;
    for (const char* font : kSoundFonts) {
        std::error_code error;
        if (std::filesystem::is_regular_file(font, error)) {
            sdl.SetSoundFonts(font);
            return;
        }
    }
}

} // namespace

AudioDevice::AudioDevice()
    : AudioDevice(systemSdlAudio)
{
}

AudioDevice::AudioDevice(Loader loader)
    : m_loader(loader)
{
}

AudioDevice::~AudioDevice()
{
    close();
}

bool AudioDevice::open(const AudioFormat& format)
{
    if (m_open)
        return true;
    const SdlAudioLoad& library = m_loader();
    if (!library.loaded) {
        m_lastError = library.error;
        return false;
    }
    m_sdl = &library.functions;
    const SdlAudio& sdl = *m_sdl;
    // SDL would otherwise turn SIGINT and SIGTERM into quit events of its own queue, which
    // nobody reads: the program could then not be ended by a logout or a kill.
    sdl.SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (sdl.InitSubSystem(SDL_INIT_AUDIO) != 0) {
        m_lastError = sdl.GetError();
        return false;
    }
    if (sdl.OpenAudio(format.frequency, MIX_DEFAULT_FORMAT, 2, 1024) != 0) {
        m_lastError = sdl.GetError();
        sdl.QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    sdl.AllocateChannels(std::max(format.channels, 1));
    sdl.ReserveChannels(1);
    sdl.Volume(kEffectsChannel, kEffectsVolume);
    sdl.VolumeMusic(kMusicVolume);
    chooseSoundFont(sdl);
    m_open = true;
    m_lastError.clear();
    return true;
}

void AudioDevice::close()
{
    if (!m_open)
        return;
    const SdlAudio& sdl = *m_sdl;
    sdl.HaltChannel(-1);
    sdl.HaltMusic();
    sdl.CloseAudio();
    sdl.QuitSubSystem(SDL_INIT_AUDIO);
    m_open = false;
}

} // namespace kalvon
