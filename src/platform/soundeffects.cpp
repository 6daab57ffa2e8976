#include "platform/soundeffects.h"

#include "common/music/audiodevice.h"
#include "common/music/sdlaudio.h"

namespace kalvon {

SdlSoundEffects::SdlSoundEffects(const AudioDevice& device)
    : m_device(device)
{
}

SdlSoundEffects::~SdlSoundEffects()
{
    flush();
}

void SdlSoundEffects::flush()
{
    if (m_device.isOpen())
        m_device.sdl()->HaltChannel(AudioDevice::kEffectsChannel);
    // A sound was loaded only while the device was open, so the libraries were.
    for (auto& [path, chunk] : m_cache) {
        if (chunk)
            m_device.sdl()->FreeChunk(chunk);
    }
    m_cache.clear();
}

void SdlSoundEffects::play(const std::filesystem::path& file)
{
    if (!m_device.isOpen() || file.empty())
        return;
    const SdlAudio& sdl = *m_device.sdl();
    auto found = m_cache.find(file);
    if (found == m_cache.end()) {
        std::error_code error;
        Mix_Chunk* chunk
            = std::filesystem::is_regular_file(file, error) ? sdl.LoadWAV(file.c_str()) : nullptr;
        // A file that cannot be read is remembered as silent until the next flush.
        found = m_cache.emplace(file, chunk).first;
    }
    if (!found->second)
        return;
    sdl.HaltChannel(AudioDevice::kEffectsChannel);
    sdl.PlayChannelTimed(AudioDevice::kEffectsChannel, found->second, 0, -1);
}

void PlaySoundFile(SoundEffects& effects, int soundsOption, const std::filesystem::path& file)
{
    if (soundsOption != 0)
        effects.play(file);
}

} // namespace kalvon
