// The sound and music tryout: the music button's caption is its state and toggles whatever the
// music did; music and sounds are found in the resource folder (music in its own folder while
// one is set); and the SDL sound's reports of music it cannot open.

#include "editor/model/editorstate.h"
#include "editor/model/newtheme.h"
#include "editor/model/soundtryout.h"
#include "editor/sdleditorsound.h"
#include "recordingeditorsound.h"
#include "support/scratchfolder.h"
#include "support/scripteddialogs.h"

#include <csignal>
#include <gtest/gtest.h>

using namespace kalvon;
using namespace kalvon::editor;
using kalvon::editor::testing::RecordingEditorSound;
using kalvon::testing::ScratchFolder;
using kalvon::testing::ScriptedDialogs;

namespace {

struct TryoutRig {
    EditorState state;
    RecordingEditorSound sound;
    SoundTryout tryout{ state, sound };

    TryoutRig() { StartEditor(state); }
};

} // namespace

TEST(SoundTryout, TheMusicButtonPlaysAndStopsAndItsCaptionToggles)
{
    TryoutRig rig;
    rig.state.files().ResourceDir = "/tmp/k/kalvon/neon/";
    rig.state.setText("txtMusic", "song.ogg");
    EXPECT_EQ(rig.tryout.musicCaption(), "Play Music");
    rig.tryout.toggleMusic();
    EXPECT_EQ(rig.tryout.musicCaption(), "Stop Music");
    rig.tryout.toggleMusic();
    EXPECT_EQ(rig.tryout.musicCaption(), "Play Music");
    EXPECT_EQ(rig.sound.calls,
        (std::vector<std::string>{
            "LoadMusic /tmp/k/kalvon/neon/song.ogg", "PlayMusic", "StopMusic", "FreeMusic" }));
}

TEST(SoundTryout, MusicIsFoundInItsOwnFolderWhileOneIsSet)
{
    struct Case {
        const char* musicPath;
        const char* resourceDir;
        const char* box;
        const char* opened;
    };
    const Case cases[] = {
        { "/loaded/theme/", "/res/", "song.ogg", "/loaded/theme/song.ogg" },
        { "", "/res/", "song.ogg", "/res/song.ogg" },
        { "", "/res/", "/home/me/song.ogg", "/home/me/song.ogg" },
        { "", "", "song.ogg", "song.ogg" },
    };
    for (const Case& c : cases) {
        TryoutRig rig;
        rig.state.files().MusicPath = c.musicPath;
        rig.state.files().ResourceDir = c.resourceDir;
        rig.state.setText("txtMusic", c.box);
        rig.tryout.toggleMusic();
        EXPECT_EQ(rig.sound.calls.front(), std::string("LoadMusic ") + c.opened);
    }
}

TEST(SoundTryout, EachPlayButtonPlaysItsRowsSound)
{
    TryoutRig rig;
    rig.state.files().ResourceDir = "/res/";
    rig.state.setText("txtStart", "start.wav");
    rig.state.setText("txtShieldSound", "sub/shield.wav");
    rig.state.setText("txtRotate", "/abs/rotate.wav");
    rig.tryout.playSound(2);
    rig.tryout.playSound(10);
    rig.tryout.playSound(0);
    rig.tryout.playSound(11);
    rig.tryout.playSound(-1);
    EXPECT_EQ(rig.sound.calls,
        (std::vector<std::string>{
            "PlayWave /res/start.wav", "PlayWave /res/sub/shield.wav", "PlayWave /abs/rotate.wav" }));
}

TEST(SdlEditorSound, ReportsMusicItCannotOpenAndIsSilentWithoutOutput)
{
    ScratchFolder folder;
    const auto garbage = folder.write("song.ogg", "this is no music");
    struct Case {
        int32_t output;
        std::string file;
        std::vector<Bytes> messages;
    };
    const Case cases[] = {
        { 1, (folder / "missing.ogg").string(), { "Error while opening sound\r\nFile not found" } },
        { 1, garbage.string(), { "Error while opening sound\r\nUnknown file format" } },
        { 0, (folder / "missing.ogg").string(), {} },
    };
    for (const Case& c : cases) {
        ScriptedDialogs dialogs;
        SdlEditorSound sound(dialogs);
        sound.InitSound({ 44100, 8, c.output });
        sound.LoadMusic(c.file);
        sound.PlayMusic();
        sound.PlayWave(c.file);
        EXPECT_FALSE(sound.musicLoaded());
        EXPECT_EQ(dialogs.messages(), c.messages) << c.file;
        for (const auto& call : dialogs.calls)
            EXPECT_EQ(call.title, "Error");
        sound.CloseSound();
    }
}

TEST(SdlEditorSound, LeavesTheTerminationSignalsToTheSystem)
{
    ScriptedDialogs dialogs;
    SdlEditorSound sound(dialogs);
    sound.InitSound({});
    for (const int signal : { SIGTERM, SIGINT }) {
        struct sigaction action { };
        ASSERT_EQ(sigaction(signal, nullptr, &action), 0);
        EXPECT_EQ(action.sa_handler, SIG_DFL) << signal;
    }
    sound.CloseSound();
}
