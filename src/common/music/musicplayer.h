#pragma once
// The music module: one piece of background music at a time, played through the sound library.
// A tracker module or a MIDI file is a song, any other file a stream (IsStreamFile). Loading
// always stops and frees what was loaded; a file that does not open is reported in a box with
// the library's reason. Pause and resume set the state they name, for both kinds, so a resume
// without a pause leaves the music playing. A stream that has ended is started again by the
// loop check of the game tick; a song loops by itself.

#include "common/music/musicmodule.h"

#include <cstdint>

namespace kalvon {

class Dialogs;
class SoundLibrary;

// True for a stream, false for a module (extensions mid, midi, mod, s3m, xm, it in any case).
// A name shorter than four characters or without a "." is a stream.
bool IsStreamFile(BytesView name);

class MusicPlayer final : public MusicModule {
public:
    MusicPlayer(SoundLibrary& library, Dialogs& dialogs);
    ~MusicPlayer() override;
    MusicPlayer(const MusicPlayer&) = delete;
    MusicPlayer& operator=(const MusicPlayer&) = delete;

    // "[none]" in any case loads nothing and leaves the music as it is.
    void LoadMusic(BytesView name) override;
    void PlayMusic() override;
    void StopMusic() override;
    void FreeMusic() override;
    void PauseMusic() override;
    void ResumeMusic() override;
    void CheckMusicLoop() override;

    int32_t MusicHandle() const { return m_handle; }
    int32_t MusicChannel() const { return m_channel; }
    bool MusicIsStream() const { return m_isStream; }

private:
    void setPaused(bool paused);

    SoundLibrary& m_library;
    Dialogs& m_dialogs;
    int32_t m_handle = 0; // the stream or song loaded; 0 none
    int32_t m_channel = 0; // a stream's channel, 1 for a started song; 0 not playing
    bool m_isStream = false;
};

} // namespace kalvon
