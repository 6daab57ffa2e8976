#include "editor/model/soundtryout.h"

#include "editor/model/browsing.h"
#include "editor/model/editorstate.h"
#include "editor/model/resourcearchive.h"

namespace kalvon::editor {

SoundTryout::SoundTryout(EditorState& state, EditorSound& sound)
    : m_state(state)
    , m_sound(sound)
{
}

void SoundTryout::toggleMusic()
{
    if (m_caption != kPlayMusicCaption) {
        m_caption = kPlayMusicCaption;
        m_sound.StopMusic();
        m_sound.FreeMusic();
        return;
    }
    m_caption = kStopMusicCaption;
    m_sound.LoadMusic(MusicFilePath(m_state.files(), m_state.text("txtMusic")));
    m_sound.PlayMusic();
}

void SoundTryout::playSound(int index)
{
    const auto boxes = soundBoxes();
    if (index < 0 || index >= static_cast<int>(boxes.size()))
        return;
    m_sound.PlayWave(ResourceFilePath(m_state.files(), m_state.text(boxes[static_cast<size_t>(index)])));
}

} // namespace kalvon::editor
