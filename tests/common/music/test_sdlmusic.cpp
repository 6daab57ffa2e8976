// The SDL2_mixer music module on SDL's dummy audio driver: a stream loads and plays,
// "[none]" loads nothing, pause and resume set their state, and a file that cannot be opened
// is reported with its name and the reason.

#include "common/music/audiodevice.h"
#include "common/music/sdlmusic.h"
#include "support/scratchfolder.h"
#include "support/scripteddialogs.h"

#include <SDL_mixer.h>
#include <cstdint>
#include <fstream>
#include <gtest/gtest.h>

using namespace kalvon;
using namespace kalvon::testing;

namespace {

// A short mono 16-bit PCM wave of silence.
void writeWave(const std::filesystem::path& file)
{
    const uint32_t rate = 22050, samples = 2205, dataBytes = samples * 2;
    std::ofstream out(file, std::ios::binary);
    auto u32 = [&](uint32_t v) { out.write(reinterpret_cast<const char*>(&v), 4); };
    auto u16 = [&](uint16_t v) { out.write(reinterpret_cast<const char*>(&v), 2); };
    out << "RIFF";
    u32(36 + dataBytes);
    out << "WAVEfmt ";
    u32(16);
    u16(1); // PCM
    u16(1); // mono
    u32(rate);
    u32(rate * 2);
    u16(2);
    u16(16);
    out << "data";
    u32(dataBytes);
    out << std::string(dataBytes, '\0');
}

struct MusicRig {
    ScratchFolder folder;
    AudioDevice device;
    ScriptedDialogs dialogs;
    SdlMusic music{ device, dialogs, folder.path() };

    MusicRig() { EXPECT_TRUE(device.open({})) << device.lastError(); }
};

} // namespace

TEST(SdlMusic, PlaysAndPausesAndResumesByState)
{
    MusicRig rig;
    writeWave(rig.folder.path() / "Tune.wav");
    rig.music.LoadMusic("\\tune.WAV"); // a stored path: relative, any case
    ASSERT_TRUE(rig.music.loaded());
    rig.music.PlayMusic();
    EXPECT_TRUE(Mix_PlayingMusic());

    rig.music.ResumeMusic();
    EXPECT_FALSE(Mix_PausedMusic()) << "a resume without a pause leaves it playing";
    rig.music.PauseMusic();
    rig.music.PauseMusic();
    EXPECT_TRUE(Mix_PausedMusic());
    rig.music.ResumeMusic();
    EXPECT_FALSE(Mix_PausedMusic());

    rig.music.StopMusic();
    EXPECT_FALSE(Mix_PlayingMusic());
    EXPECT_TRUE(rig.dialogs.calls.empty());
}

TEST(SdlMusic, NoneAndFilesThatCannotBeOpened)
{
    MusicRig rig;
    writeWave(rig.folder.path() / "tune.wav");
    std::ofstream(rig.folder.path() / "notes.txt") << "not music";
    rig.music.LoadMusic("tune.wav");
    for (const char* none : { "[none]", "[None]", "[NONE]" })
        rig.music.LoadMusic(none);
    EXPECT_TRUE(rig.music.loaded()) << "\"[none]\" leaves the loaded music alone";
    EXPECT_TRUE(rig.dialogs.calls.empty());

    struct Case {
        const char* file;
        const char* reason;
    };
    for (const Case& c : { Case{ "missing.ogg", "File not found" },
             Case{ "notes.txt", "Unknown file format" }, Case{ "C:\\music\\x.ogg", "File not found" } }) {
        rig.dialogs.calls.clear();
        rig.music.LoadMusic(c.file);
        EXPECT_FALSE(rig.music.loaded());
        ASSERT_EQ(rig.dialogs.calls.size(), 1u);
        EXPECT_EQ(rig.dialogs.calls[0].text,
            Bytes("Error while opening music file! \r\nFilename: ") + c.file + "\r\nError: " + c.reason);
        EXPECT_EQ(rig.dialogs.calls[0].title, "Error");
        EXPECT_EQ(rig.dialogs.calls[0].icon, MessageIcon::Critical);
        rig.music.PlayMusic(); // nothing loaded: nothing happens
        EXPECT_FALSE(Mix_PlayingMusic());
    }
}
