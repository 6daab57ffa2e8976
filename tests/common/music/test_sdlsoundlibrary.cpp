// The music module on SDL2_mixer with SDL's silent audio driver: our own OGG, WAV, MOD and
// MIDI files load and play, pause and resume by state; stored paths are found in any case; and
// files that cannot be played are told with the library's reason.

#include "common/music/audiodevice.h"
#include "common/music/musicplayer.h"
#include "common/music/sdlsoundlibrary.h"
#include "support/musicfiles.h"
#include "support/scratchfolder.h"
#include "support/scripteddialogs.h"

#include <SDL_mixer.h>
#include <gtest/gtest.h>

using namespace kalvon;
using namespace kalvon::testing;

namespace {

struct SdlRig {
    ScratchFolder folder;
    AudioDevice device;
    ScriptedDialogs dialogs;
    SdlSoundLibrary library{ device, folder.path() };
    MusicPlayer music{ library, dialogs };

    SdlRig()
    {
        EXPECT_TRUE(device.open({})) << device.lastError();
        std::filesystem::copy_file(
            std::filesystem::path(KALVON_FIXTURES_DIR) / "music" / "tone.ogg", folder / "Tone.ogg");
        folder.write("Beep.wav", waveFile(squareWave(4410, 100, 8000)));
        folder.write("music/Tune.mod", modFile());
        folder.write("music/Tune.mid", midiFile());
    }
};

} // namespace

TEST(SdlSoundLibrary, OurStreamsModulesAndMidiPlayPauseAndResume)
{
    SdlRig rig;
    struct Case {
        const char* stored;
        Mix_MusicType type;
    };
    // Stored the way themes and settings write them: "\", relative, any case.
    for (const Case& c : { Case{ "tone.OGG", MUS_OGG }, Case{ "\\beep.wav", MUS_WAV },
             Case{ "MUSIC\\tune.mod", MUS_MOD }, Case{ "music/TUNE.MID", MUS_MID } }) {
        SCOPED_TRACE(c.stored);
        rig.music.LoadMusic(c.stored);
        ASSERT_NE(rig.music.MusicHandle(), 0);
        EXPECT_EQ(rig.music.MusicIsStream(), c.type == MUS_OGG || c.type == MUS_WAV);
        rig.music.PlayMusic();
        ASSERT_NE(rig.music.MusicChannel(), 0);
        EXPECT_TRUE(Mix_PlayingMusic());
        EXPECT_EQ(Mix_GetMusicType(nullptr), c.type);

        rig.music.ResumeMusic();
        EXPECT_FALSE(Mix_PausedMusic()) << "a resume without a pause leaves it playing";
        rig.music.PauseMusic();
        rig.music.PauseMusic();
        EXPECT_TRUE(Mix_PausedMusic());
        rig.music.CheckMusicLoop();
        EXPECT_TRUE(Mix_PausedMusic()) << "paused music is not started again";
        rig.music.ResumeMusic();
        EXPECT_FALSE(Mix_PausedMusic());

        rig.music.StopMusic();
        EXPECT_FALSE(Mix_PlayingMusic());
    }
    EXPECT_TRUE(rig.dialogs.calls.empty()) << rig.dialogs.calls[0].text;
}

TEST(SdlSoundLibrary, FilesThatCannotPlayAreToldWithTheirReason)
{
    SdlRig rig;
    rig.folder.write("notes.txt", "not music at all");
    rig.folder.write("song.wma", std::string(4096, '\x30'));
    struct Case {
        const char* file;
        const char* reason;
    };
    for (const Case& c : { Case{ "missing.ogg", "File not found" },
             Case{ "C:\\music\\tone.ogg", "File not found" }, Case{ "notes.txt", "Unknown file format" },
             Case{ "song.wma", "Required Mediaplayer codec is not installed" } }) {
        SCOPED_TRACE(c.file);
        rig.dialogs.calls.clear();
        rig.music.LoadMusic(c.file);
        EXPECT_EQ(rig.music.MusicHandle(), 0);
        ASSERT_EQ(rig.dialogs.calls.size(), 1u);
        EXPECT_EQ(rig.dialogs.calls[0].text,
            Bytes("Error while opening music file! \r\nFilename: ") + c.file + "\r\nError: " + c.reason);
        rig.music.PlayMusic();
        EXPECT_FALSE(Mix_PlayingMusic());
    }
}

TEST(SdlSoundLibrary, NothingLoadsWhileTheDeviceIsClosed)
{
    SdlRig rig;
    rig.device.close();
    rig.music.LoadMusic("tone.ogg");
    EXPECT_EQ(rig.music.MusicHandle(), 0);
    EXPECT_TRUE(rig.dialogs.calls.empty());
}
