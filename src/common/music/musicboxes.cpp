#include "common/music/musicboxes.h"

#include "common/dialogs.h"

namespace kalvon {

MusicBoxes::MusicBoxes(MusicBoxValues values, MusicBoxesContext context)
    : m_values(values)
    , m_context(std::move(context))
{
}

void MusicBoxes::loadGameMusic(BytesView file)
{
    if (m_context.musicOutput && !m_context.musicOutput())
        return;
    // The theme's music stands in for the name only here, not in the file box.
    Bytes name(file);
    LoadGameMusic(m_context.music, options(), m_context.themeMusic, name);
}

void MusicBoxes::playGameMusic()
{
    Bytes name = m_values.file;
    PlayGameMusic(m_context.music, options(), m_context.themeMusic, name);
}

void MusicBoxes::chkMusic_Click()
{
    if (!visible())
        return;
    if (m_values.playMusic == 0) {
        m_context.music.StopMusic();
        m_context.music.FreeMusic();
    } else if (m_values.playMusic == 1) {
        loadGameMusic(m_values.useThemeMusic == 1 ? m_context.themeMusic : m_values.file);
        if (gameActive())
            playGameMusic();
    }
}

void MusicBoxes::chkThemeMusic_Click()
{
    if (!visible() || m_values.playMusic != 1)
        return;
    if (m_values.useThemeMusic == 1) {
        loadGameMusic(m_context.themeMusic);
        if (gameActive())
            m_context.music.PlayMusic();
    } else {
        loadGameMusic(m_values.file);
        if (gameActive())
            playGameMusic();
    }
}

bool MusicBoxes::cmdBrowse_Click()
{
    const std::optional<Bytes> chosen
        = m_context.dialogs.openFile(FileDialogRequest{ {}, kMusicFileFilter, {}, {} });
    if (!chosen)
        return false;
    m_values.file = *chosen;
    if (m_values.playMusic == 1 && m_values.useThemeMusic == 0) {
        loadGameMusic(m_values.file);
        if (gameActive())
            m_context.music.PlayMusic();
    }
    return true;
}

void MusicBoxes::txtMidi_Change()
{
    if (m_values.playMusic == 1 && visible() && gameActive())
        playGameMusic();
}

} // namespace kalvon
