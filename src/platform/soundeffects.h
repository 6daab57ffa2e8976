#pragma once
// Sound effects: one at a time on the reserved mixer channel; a new one cuts the last.

#include <filesystem>
#include <map>

struct Mix_Chunk;

namespace kalvon {

class AudioDevice;

class SoundEffects {
public:
    virtual ~SoundEffects() = default;
    // Plays a wave file asynchronously; a missing or unreadable file plays nothing.
    virtual void play(const std::filesystem::path& file) = 0;
};

class SdlSoundEffects final : public SoundEffects {
public:
    explicit SdlSoundEffects(const AudioDevice& device);
    ~SdlSoundEffects() override;
    SdlSoundEffects(const SdlSoundEffects&) = delete;
    SdlSoundEffects& operator=(const SdlSoundEffects&) = delete;

    void play(const std::filesystem::path& file) override;
    // Forgets the loaded sounds (after a theme change).
    void flush();

private:
    const AudioDevice& m_device;
    std::map<std::filesystem::path, Mix_Chunk*> m_cache;
};

// PlaySoundFile: plays `file` when the sounds option (check box value) is not 0.
void PlaySoundFile(SoundEffects& effects, int soundsOption, const std::filesystem::path& file);

} // namespace kalvon
