#pragma once
// The music module over SDL2_mixer's music stream: one piece at a time, played looped, so the
// tick's loop check has nothing to restart. Streams SDL2_mixer decodes (WAV, OGG, MP3, and the
// tracker formats its build has) all play the same way. Pause and resume set the state they
// name (a resume without a pause leaves playing music playing).

#include "common/music/musicmodule.h"

#include <filesystem>

struct _Mix_Music;

namespace kalvon {

class AudioDevice;
class Dialogs;

class SdlMusic final : public MusicModule {
public:
    // Relative paths are taken from `baseFolder`; a file that cannot be opened is reported in
    // a box through `dialogs`.
    SdlMusic(const AudioDevice& device, Dialogs& dialogs, std::filesystem::path baseFolder);
    ~SdlMusic() override;
    SdlMusic(const SdlMusic&) = delete;
    SdlMusic& operator=(const SdlMusic&) = delete;

    // Stops and frees what was loaded, then loads the file; "[none]" in any case loads nothing.
    void LoadMusic(BytesView path) override;
    void PlayMusic() override;
    void StopMusic() override;
    void PauseMusic() override;
    void ResumeMusic() override;

    bool loaded() const { return m_music != nullptr; }

private:
    void freeMusic();

    const AudioDevice& m_device;
    Dialogs& m_dialogs;
    std::filesystem::path m_baseFolder;
    _Mix_Music* m_music = nullptr;
};

} // namespace kalvon
