// The music options: theme music replaces the caller's choice, music off loads nothing, and
// stopping works whatever the options.

#include "common/music/gamemusic.h"
#include "support/recordingmusic.h"

#include <gtest/gtest.h>

using namespace kalvon;
using kalvon::testing::RecordingMusic;

TEST(GameMusic, OptionsDecideWhatLoads)
{
    struct Case {
        MusicOptions options;
        std::vector<std::string> calls;
        Bytes fileAfter;
    };
    const Case cases[] = {
        { { 0, 0 }, {}, "mine.mod" }, { { 0, 1 }, {}, "mine.mod" },
        { { 1, 0 }, { "load:mine.mod", "play" }, "mine.mod" },
        { { 1, 1 }, { "load:theme.ogg", "play" }, "theme.ogg" },
        { { 2, 1 }, { "load:theme.ogg", "play" }, "theme.ogg" }, // a greyed box counts as on
    };
    for (const Case& c : cases) {
        RecordingMusic music;
        Bytes file = "mine.mod";
        LoadGameMusic(music, c.options, "theme.ogg", file);
        PlayGameMusic(music, c.options, "theme.ogg", file);
        EXPECT_EQ(music.calls, c.calls);
        EXPECT_EQ(file, c.fileAfter);
    }
}

TEST(GameMusic, StopIgnoresTheOptions)
{
    RecordingMusic music;
    StopGameMusic(music);
    EXPECT_EQ(music.calls, std::vector<std::string>{ "stop" });
}
