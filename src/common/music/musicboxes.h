#pragma once
// The options page's music boxes: "Play Music", "Use Theme Music", the music file box and its
// Browse button. Their values are the [Sound] options, which the caller keeps; the widgets show
// them and call these handlers after a change. Music only plays while a game is active; a box
// ticked between games loads the music, and the next game start plays it.

#include "common/bytes.h"
#include "common/music/gamemusic.h"

#include <cstdint>
#include <functional>

namespace kalvon {

class Dialogs;

// The Browse button's file types.
inline constexpr char kMusicFileFilter[]
    = "All Supported Sound Files|*.MP3;*.MP2;*.XM;*.IT;*.WAV;*.S3M;*.MOD;*.OGG;*.WMA;*.ASF;*.MID;*.MIDI|"
      "MPEG Audio File (*.MP3, *.MP2)|*.MP3;*.MP2|Midi File(*.MID, *.MIDI)|*.MID;*.MIDI|"
      "Mod Files (*.XM, *.MOD, *.S3M, *.IT)|*.XM; *.MOD; *.S3M; *.IT|"
      "Windows Media Audio(*.WMA, *.ASF)|*.WMA;*.ASF|Ogg Vorbis(*.OGG)|*.OGG|Wave File(*.WAV)|*.WAV|"
      "All Files(*.*)|*.*|";

// The option values the boxes show (check box values: 0 off, 1 on, 2 greyed).
struct MusicBoxValues {
    int16_t& playMusic;
    int16_t& useThemeMusic;
    Bytes& file;
};

// What the handlers read from the rest of the program and act on.
struct MusicBoxesContext {
    MusicModule& music;
    Dialogs& dialogs;
    const Bytes& themeMusic; // the current theme's music
    std::function<bool()> gameActive; // a game runs and is not paused
    std::function<bool()> windowVisible; // the main window is shown
    // False with the "no sound" output: no music is loaded. None: music is loaded.
    std::function<bool()> musicOutput;
};

class MusicBoxes {
public:
    MusicBoxes(MusicBoxValues values, MusicBoxesContext context);

    // "Play Music" changed: off stops and frees the music; on loads it (the theme's or the
    // file box's) and plays it when a game is active.
    void chkMusic_Click();
    // "Use Theme Music" changed: the theme's music or the file box's is loaded instead.
    void chkThemeMusic_Click();
    // The file dialog; true when a file was chosen, which is then the file box's text and, when
    // the file box's music is in use, loaded.
    bool cmdBrowse_Click();
    // The file box's text changed: nothing loads (the next load takes the new name), but while
    // a game is active the music loaded plays on.
    void txtMidi_Change();

    // The file box takes typing while the theme's music is not in use.
    bool fileBoxEnabled() const { return m_values.useThemeMusic != 1; }

private:
    MusicOptions options() const { return { m_values.playMusic, m_values.useThemeMusic }; }
    bool visible() const { return !m_context.windowVisible || m_context.windowVisible(); }
    bool gameActive() const { return m_context.gameActive && m_context.gameActive(); }
    void loadGameMusic(BytesView file);
    void playGameMusic();

    MusicBoxValues m_values;
    MusicBoxesContext m_context;
};

} // namespace kalvon
