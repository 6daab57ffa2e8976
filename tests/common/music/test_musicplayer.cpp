// The music module over a recording sound library: the library calls of loading, playing,
// pausing, resuming, looping and stopping streams and songs, and the box a failing file shows.

#include "common/music/musicplayer.h"
#include "common/music/soundlibrary.h"
#include "support/scripteddialogs.h"

#include <deque>
#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace kalvon;
using kalvon::testing::ScriptedDialogs;

namespace {

// Records every call as text; opens hand out handle 7 (or 0 with `error`), streams play on
// channels 3, 4, ...; IsPlaying answers from `playing`.
class RecordingLibrary final : public SoundLibrary {
public:
    std::vector<std::string> calls;
    bool started = true;
    int32_t error = 0; // when set, opening fails with it
    std::deque<bool> playing;
    int32_t nextChannel = 3;

    bool Started() const override { return started; }
    int32_t GetError() const override { return error; }
    int32_t StreamOpen(BytesView file) override { return opened("StreamOpen " + std::string(file)); }
    int32_t StreamPlay(int32_t stream) override
    {
        calls.push_back("StreamPlay " + std::to_string(stream));
        return nextChannel++;
    }
    void StreamStop(int32_t stream) override { calls.push_back("StreamStop " + std::to_string(stream)); }
    void StreamClose(int32_t stream) override { calls.push_back("StreamClose " + std::to_string(stream)); }
    bool IsPlaying(int32_t channel) override
    {
        calls.push_back("IsPlaying " + std::to_string(channel));
        const bool answer = playing.empty() || playing.front();
        if (!playing.empty())
            playing.pop_front();
        return answer;
    }
    void SetPaused(int32_t channel, bool paused) override
    {
        calls.push_back("SetPaused " + std::to_string(channel) + (paused ? " on" : " off"));
    }
    int32_t SongLoad(BytesView file) override { return opened("SongLoad " + std::string(file)); }
    bool SongPlay(int32_t song) override
    {
        calls.push_back("SongPlay " + std::to_string(song));
        return true;
    }
    void SongStop(int32_t song) override { calls.push_back("SongStop " + std::to_string(song)); }
    void SongSetPaused(int32_t song, bool paused) override
    {
        calls.push_back("SongSetPaused " + std::to_string(song) + (paused ? " on" : " off"));
    }
    void SongFree(int32_t song) override { calls.push_back("SongFree " + std::to_string(song)); }

private:
    int32_t opened(std::string call)
    {
        calls.push_back(std::move(call));
        return error == 0 ? 7 : 0;
    }
};

struct Rig {
    RecordingLibrary library;
    ScriptedDialogs dialogs;
    MusicPlayer music{ library, dialogs };

    // The calls since the last look.
    std::vector<std::string> calls()
    {
        std::vector<std::string> seen = std::move(library.calls);
        library.calls.clear();
        return seen;
    }
};

using Calls = std::vector<std::string>;

} // namespace

TEST(IsStreamFile, ModulesByExtensionEverythingElseStreams)
{
    const std::pair<const char*, bool> cases[] = {
        { "song.MOD", false },
        { "a.mid", false },
        { "x.it", false },
        { "tune.midi", false },
        { "dance.S3M", false },
        { "my.music\\song.xm", false }, // a "." in a folder name
        { "track.mp3", true },
        { "track.ogg", true },
        { "track", true },
        { "a.x", true }, // three characters
        { ".it", true },
        { "song.", true }, // empty extension
        { "my.mod\\track", true }, // the last "." decides
        { "theme.wma", true },
    };
    for (const auto& [name, stream] : cases)
        EXPECT_EQ(IsStreamFile(name), stream) << name;
}

TEST(GetSoundErrorText, KnownCodesAndTheRest)
{
    const std::pair<int32_t, const char*> cases[] = {
        { 0, "No errors" },
        { 1, "Cannot call this command after FSOUND_Init.  Call FSOUND_Close first." },
        { 9, "File not found" },
        { 10, "Unknown file format" },
        { 12, "Not enough memory " },
        { 18, "Required Mediaplayer codec is not installed" },
        { 19, "Unknown error" },
        { -1, "Unknown error" },
    };
    for (const auto& [code, text] : cases)
        EXPECT_EQ(GetSoundErrorText(code), text) << code;
}

TEST(MusicPlayer, StreamPlaysPausesResumesAndStops)
{
    Rig rig;
    rig.music.LoadMusic("\\music\\track.ogg");
    rig.music.PlayMusic();
    EXPECT_EQ(rig.calls(), (Calls{ "StreamOpen \\music\\track.ogg", "StreamPlay 7" }));
    EXPECT_EQ(rig.music.MusicChannel(), 3);

    // Pause sets paused and resume clears it, however often they come.
    rig.music.ResumeMusic();
    rig.music.PauseMusic();
    rig.music.PauseMusic();
    rig.music.ResumeMusic();
    EXPECT_EQ(
        rig.calls(), (Calls{ "SetPaused 3 off", "SetPaused 3 on", "SetPaused 3 on", "SetPaused 3 off" }));

    rig.music.StopMusic();
    rig.music.StopMusic();
    rig.music.PauseMusic(); // nothing plays: nothing to pause
    rig.music.CheckMusicLoop();
    EXPECT_EQ(rig.calls(), (Calls{ "StreamStop 7" }));
    EXPECT_EQ(rig.music.MusicHandle(), 7) << "stopped music stays loaded";

    rig.music.PlayMusic();
    EXPECT_EQ(rig.calls(), (Calls{ "StreamPlay 7" })) << "and plays again";
    EXPECT_TRUE(rig.dialogs.calls.empty());
}

TEST(MusicPlayer, SongPlaysPausesResumesAndStops)
{
    Rig rig;
    rig.music.LoadMusic("song.MOD");
    rig.music.PlayMusic();
    rig.music.PauseMusic();
    rig.music.PauseMusic();
    rig.music.ResumeMusic();
    rig.music.ResumeMusic();
    rig.music.CheckMusicLoop(); // a song loops by itself: not even asked
    rig.music.StopMusic();
    rig.music.FreeMusic();
    EXPECT_EQ(rig.calls(),
        (Calls{ "SongLoad song.MOD", "SongPlay 7", "SongSetPaused 7 on", "SongSetPaused 7 on",
            "SongSetPaused 7 off", "SongSetPaused 7 off", "SongStop 7", "SongFree 7" }));
    EXPECT_EQ(rig.music.MusicHandle(), 0);
    EXPECT_EQ(rig.music.MusicChannel(), 0);
}

TEST(MusicPlayer, StreamThatEndedStartsAgainOnItsNewChannel)
{
    Rig rig;
    rig.music.LoadMusic("loop.wav");
    rig.music.PlayMusic();
    rig.calls();
    rig.library.playing = { true, false, true };
    rig.music.CheckMusicLoop();
    rig.music.CheckMusicLoop();
    rig.music.CheckMusicLoop();
    EXPECT_EQ(rig.calls(), (Calls{ "IsPlaying 3", "IsPlaying 3", "StreamPlay 7", "IsPlaying 4" }));
    rig.music.PauseMusic();
    EXPECT_EQ(rig.calls(), (Calls{ "SetPaused 4 on" }));
}

TEST(MusicPlayer, LoadingStopsAndFreesWhatWasLoadedNoneLeavesItAlone)
{
    Rig rig;
    rig.music.LoadMusic("first.ogg");
    rig.music.PlayMusic();
    rig.calls();
    for (const char* none : { "[None]", "[none]", "[NONE]" })
        rig.music.LoadMusic(none);
    EXPECT_TRUE(rig.calls().empty());

    rig.music.LoadMusic("second.xm");
    EXPECT_EQ(rig.calls(), (Calls{ "StreamStop 7", "StreamClose 7", "SongLoad second.xm" }));
    EXPECT_FALSE(rig.music.MusicIsStream());

    rig.library.started = false; // a library that did not start loads nothing, silently
    rig.music.LoadMusic("third.ogg");
    EXPECT_EQ(rig.calls(), (Calls{ "SongFree 7" }));
    EXPECT_TRUE(rig.dialogs.calls.empty());
}

TEST(MusicPlayer, FileThatDoesNotOpenIsToldAndNothingPlays)
{
    struct Case {
        const char* name;
        SoundError error;
        const char* open;
        const char* reason;
    };
    const Case cases[] = {
        { "C:\\music\\gone.ogg", SoundError::FileNotFound, "StreamOpen C:\\music\\gone.ogg",
            "File not found" },
        { "notes.mid", SoundError::UnknownFormat, "SongLoad notes.mid", "Unknown file format" },
        { "theme.wma", SoundError::MediaPlayerCodec, "StreamOpen theme.wma",
            "Required Mediaplayer codec is not installed" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Rig rig;
        rig.music.LoadMusic("old.ogg");
        rig.music.PlayMusic();
        rig.calls();
        rig.library.error = static_cast<int32_t>(c.error);
        rig.music.LoadMusic(c.name);
        EXPECT_EQ(rig.calls(), (Calls{ "StreamStop 7", "StreamClose 7", c.open }));
        ASSERT_EQ(rig.dialogs.calls.size(), 1u);
        EXPECT_EQ(rig.dialogs.calls[0].text,
            Bytes("Error while opening music file! \r\nFilename: ") + c.name + "\r\nError: " + c.reason);
        EXPECT_EQ(rig.dialogs.calls[0].title, "Error");
        EXPECT_EQ(rig.dialogs.calls[0].icon, MessageIcon::Critical);

        rig.music.PlayMusic();
        rig.music.PauseMusic();
        rig.music.CheckMusicLoop();
        rig.music.StopMusic();
        EXPECT_TRUE(rig.calls().empty()) << "nothing is loaded";
    }
}
