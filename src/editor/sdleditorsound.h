#pragma once
// The editor's sound over SDL2_mixer: the music tryout on the music stream (played once, never
// restarted) and the wave sounds on the effects channel of the same device. The device is
// opened for the waves even when the output setting is 0 (no sound): then only music is silent.

#include "common/music/audiodevice.h"
#include "editor/model/soundtryout.h"
#include "platform/soundeffects.h"

struct _Mix_Music;

namespace kalvon {
class Dialogs;
}

namespace kalvon::editor {

class SdlEditorSound final : public EditorSound {
public:
    explicit SdlEditorSound(Dialogs& dialogs);
    ~SdlEditorSound() override;
    SdlEditorSound(const SdlEditorSound&) = delete;
    SdlEditorSound& operator=(const SdlEditorSound&) = delete;

    void InitSound(const SoundMixer& mixer) override;
    void CloseSound() override;
    void LoadMusic(BytesView file) override;
    void PlayMusic() override;
    void StopMusic() override;
    void FreeMusic() override;
    void PlayWave(BytesView file) override;

    bool musicLoaded() const { return m_music != nullptr; }

private:
    Dialogs& m_dialogs;
    AudioDevice m_device;
    SdlSoundEffects m_effects{ m_device };
    bool m_musicStarted = false;
    _Mix_Music* m_music = nullptr;
};

} // namespace kalvon::editor
