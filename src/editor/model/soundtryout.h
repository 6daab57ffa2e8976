#pragma once
// The music and sound tryout of the "Sounds/Music" page, over the editor's sound services.

#include "common/bytes.h"
#include "common/soundmixer.h"

#include <string_view>

namespace kalvon::editor {

class EditorState;

// The editor's reduced music module (one piece, played once, no pause or restart; every call
// does nothing while the library is not started) and the wave player, which plays also when
// the music library failed. Paths are the texts the theme's boxes name them by.
class EditorSound {
public:
    virtual ~EditorSound() = default;
    // Starts the library; a failure is reported in a box ("ERROR") and leaves music silent.
    virtual void InitSound(const SoundMixer& mixer) = 0;
    virtual void CloseSound() = 0;
    // Stops and frees what was loaded, then loads the file; a file that cannot be opened is
    // reported in a box ("Error") and leaves nothing loaded.
    virtual void LoadMusic(BytesView file) = 0;
    virtual void PlayMusic() = 0;
    virtual void StopMusic() = 0;
    virtual void FreeMusic() = 0;
    // Plays a wave file asynchronously, cutting the one playing; failures are silent.
    virtual void PlayWave(BytesView file) = 0;
};

inline constexpr std::string_view kPlayMusicCaption = "Play Music";
inline constexpr std::string_view kStopMusicCaption = "Stop Music";

class SoundTryout {
public:
    SoundTryout(EditorState& state, EditorSound& sound);

    // The caption of the music button, which is the tryout's state.
    const Bytes& musicCaption() const { return m_caption; }

    // The music button: "Play Music" loads the music box's file and plays it, "Stop Music"
    // stops and frees it. The caption toggles whatever the music module did.
    void toggleMusic();
    // A sound row's play button (0 to 10, the order of soundBoxes()); any other index does nothing.
    void playSound(int index);

private:
    EditorState& m_state;
    EditorSound& m_sound;
    Bytes m_caption{ kPlayMusicCaption };
};

} // namespace kalvon::editor
