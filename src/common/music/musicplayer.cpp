#include "common/music/musicplayer.h"

#include "common/dialogs.h"
#include "common/music/soundlibrary.h"

#include <array>

namespace kalvon {

bool IsStreamFile(BytesView name)
{
    const size_t dot = name.rfind('.');
    if (name.size() < 4 || dot == BytesView::npos)
        return true;
    const Bytes extension = toLower(name.substr(dot + 1));
    static constexpr std::array<std::string_view, 6> kModules{ "midi", "mid", "mod", "s3m", "xm", "it" };
    for (std::string_view module : kModules) {
        if (extension == module)
            return false;
    }
    return true;
}

MusicPlayer::MusicPlayer(SoundLibrary& library, Dialogs& dialogs)
    : m_library(library)
    , m_dialogs(dialogs)
{
}

MusicPlayer::~MusicPlayer()
{
    StopMusic();
    FreeMusic();
}

void MusicPlayer::LoadMusic(BytesView name)
{
    if (toLower(name) == "[none]")
        return;
    StopMusic();
    FreeMusic();
    // A library that did not start was reported once, at start-up.
    if (!m_library.Started())
        return;
    m_isStream = IsStreamFile(name);
    m_handle = m_isStream ? m_library.StreamOpen(name) : m_library.SongLoad(name);
    if (m_handle == 0) {
        const Bytes reason = GetSoundErrorText(m_library.GetError());
        m_dialogs.messageBox(
            "Error while opening music file! \r\nFilename: " + Bytes(name) + "\r\nError: " + reason, "Error",
            MessageIcon::Critical);
        m_channel = 0;
    }
}

void MusicPlayer::PlayMusic()
{
    if (m_handle == 0)
        return;
    if (m_isStream)
        m_channel = m_library.StreamPlay(m_handle);
    else
        m_channel = m_library.SongPlay(m_handle) ? 1 : 0;
}

void MusicPlayer::StopMusic()
{
    if (m_channel == 0)
        return;
    if (m_isStream)
        m_library.StreamStop(m_handle);
    else
        m_library.SongStop(m_handle);
    m_channel = 0;
}

void MusicPlayer::FreeMusic()
{
    if (m_handle != 0) {
        if (m_isStream)
            m_library.StreamClose(m_handle);
        else
            m_library.SongFree(m_handle);
    }
    m_handle = 0;
    m_channel = 0;
}

void MusicPlayer::PauseMusic()
{
    setPaused(true);
}

void MusicPlayer::ResumeMusic()
{
    setPaused(false);
}

void MusicPlayer::setPaused(bool paused)
{
    if (m_channel == 0)
        return;
    if (m_isStream)
        m_library.SetPaused(m_channel, paused);
    else
        m_library.SongSetPaused(m_handle, paused);
}

void MusicPlayer::CheckMusicLoop()
{
    if (m_channel != 0 && m_isStream && !m_library.IsPlaying(m_channel))
        PlayMusic();
}

} // namespace kalvon
