// The options page's music boxes: what each box and the Browse button load and play, for the
// box values, an active game, a hidden window and the "no sound" output.

#include "common/music/musicboxes.h"
#include "support/recordingmusic.h"
#include "support/scripteddialogs.h"

#include <gtest/gtest.h>

using namespace kalvon;
using kalvon::testing::RecordingMusic;
using kalvon::testing::ScriptedDialogs;

namespace {

using Calls = std::vector<std::string>;

struct BoxesRig {
    explicit BoxesRig(int16_t playMusic = 1, int16_t useThemeMusic = 0, bool gameActive = false)
        : playMusic(playMusic)
        , useThemeMusic(useThemeMusic)
        , gameActive(gameActive)
    {
    }

    int16_t playMusic;
    int16_t useThemeMusic;
    Bytes file = "mine.mid";
    Bytes themeMusic = "/tmp/theme/music.ogg";
    bool gameActive;
    bool visible = true;
    bool musicOutput = true;
    RecordingMusic music;
    ScriptedDialogs dialogs;

    MusicBoxes boxes()
    {
        return MusicBoxes({ playMusic, useThemeMusic, file },
            { music, dialogs, themeMusic, [this] { return gameActive; }, [this] { return visible; },
                [this] { return musicOutput; } });
    }
};

} // namespace

TEST(MusicBoxes, PlayMusicBox)
{
    struct Case {
        const char* name;
        int16_t playMusic;
        int16_t useThemeMusic;
        bool gameActive;
        bool visible;
        bool musicOutput;
        Calls calls;
    };
    const Case cases[] = {
        { "off stops and frees", 0, 0, true, true, true, { "stop", "free" } },
        { "on between games only loads", 1, 0, false, true, true, { "load:mine.mid" } },
        { "on during a game plays", 1, 0, true, true, true, { "load:mine.mid", "play" } },
        { "on with theme music", 1, 1, true, true, true, { "load:/tmp/theme/music.ogg", "play" } },
        { "greyed does nothing", 2, 0, true, true, true, {} },
        { "hidden window does nothing", 0, 0, true, false, true, {} },
        { "no sound output loads nothing", 1, 0, true, true, false, { "play" } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        BoxesRig rig(c.playMusic, c.useThemeMusic, c.gameActive);
        rig.visible = c.visible;
        rig.musicOutput = c.musicOutput;
        rig.boxes().chkMusic_Click();
        EXPECT_EQ(rig.music.calls, c.calls);
        EXPECT_EQ(rig.file, "mine.mid") << "the file box keeps its own name";
    }
}

TEST(MusicBoxes, ThemeMusicBox)
{
    struct Case {
        const char* name;
        int16_t playMusic;
        int16_t useThemeMusic;
        bool gameActive;
        Calls calls;
        bool fileBoxEnabled;
    };
    const Case cases[] = {
        { "theme music during a game", 1, 1, true, { "load:/tmp/theme/music.ogg", "play" }, false },
        { "theme music between games", 1, 1, false, { "load:/tmp/theme/music.ogg" }, false },
        { "back to the file box's music", 1, 0, true, { "load:mine.mid", "play" }, true },
        { "music off: nothing", 0, 1, true, {}, false },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        BoxesRig rig(c.playMusic, c.useThemeMusic, c.gameActive);
        MusicBoxes boxes = rig.boxes();
        boxes.chkThemeMusic_Click();
        EXPECT_EQ(rig.music.calls, c.calls);
        EXPECT_EQ(boxes.fileBoxEnabled(), c.fileBoxEnabled);
    }
}

TEST(MusicBoxes, BrowseOffersTheMusicTypesAndLoadsTheChosenFile)
{
    struct Case {
        const char* name;
        std::optional<Bytes> answer;
        int16_t useThemeMusic;
        bool gameActive;
        Calls calls;
        Bytes fileAfter;
    };
    const Case cases[] = {
        { "cancel changes nothing", std::nullopt, 0, true, {}, "mine.mid" },
        { "chosen during a game", Bytes("/home/ann/song.xm"), 0, true, { "load:/home/ann/song.xm", "play" },
            "/home/ann/song.xm" },
        { "chosen between games", Bytes("/home/ann/song.xm"), 0, false, { "load:/home/ann/song.xm" },
            "/home/ann/song.xm" },
        { "chosen while the theme's music plays", Bytes("/home/ann/song.xm"), 1, true, {},
            "/home/ann/song.xm" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        BoxesRig rig(1, c.useThemeMusic, c.gameActive);
        rig.dialogs.fileAnswers.push_back(c.answer);
        EXPECT_EQ(rig.boxes().cmdBrowse_Click(), c.answer.has_value());
        EXPECT_EQ(rig.music.calls, c.calls);
        EXPECT_EQ(rig.file, c.fileAfter);
        ASSERT_EQ(rig.dialogs.calls.size(), 1u);
        EXPECT_EQ(rig.dialogs.calls[0].kind, "open");
        EXPECT_EQ(rig.dialogs.calls[0].file.filter, kMusicFileFilter);
        EXPECT_EQ(rig.dialogs.calls[0].file.fileName, "");
    }
}

TEST(MusicBoxes, EditingTheFileNameLoadsNothing)
{
    BoxesRig rig;
    rig.boxes().txtMidi_Change();
    EXPECT_TRUE(rig.music.calls.empty()) << "no game";
    rig.gameActive = true;
    rig.file = "other.ogg";
    rig.boxes().txtMidi_Change();
    EXPECT_EQ(rig.music.calls, Calls{ "play" }) << "the loaded music plays on; the new name waits";
}
