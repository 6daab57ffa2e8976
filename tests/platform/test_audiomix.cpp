// Music and sound effects on the one audio device, recorded through SDL's disk audio driver:
// played together at full scale both are heard and no sample reaches full scale; our MOD and
// MIDI music is heard; effects play on when the music file fails.

#include "common/music/audiodevice.h"
#include "common/music/musicplayer.h"
#include "common/music/sdlsoundlibrary.h"
#include "platform/soundeffects.h"
#include "support/musicfiles.h"
#include "support/scratchfolder.h"
#include "support/scripteddialogs.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>

using namespace kalvon;
using namespace kalvon::testing;

namespace {

constexpr int kRate = 44100;
constexpr int16_t kFullScale = 32767;

// The device records into a file of the folder as 16-bit stereo at 44.1 kHz, in real time.
class DiskRecording {
public:
    DiskRecording() { EXPECT_TRUE(device.open({ kRate, 8 })) << device.lastError(); }

    // Waits until `seconds` of sound have been recorded after the bytes already there, then
    // gives those samples (both channels). The wait ends on the file's size, not on a clock;
    // its bound only catches a recording that stopped.
    std::vector<int16_t> recordFromNow(double seconds)
    {
        const uintmax_t from = recordedBytes();
        const uintmax_t wanted = uintmax_t(seconds * kRate) * 4;
        for (int waited = 0; recordedBytes() < from + wanted && waited < 60000; waited += 5)
            SDL_Delay(5);
        std::ifstream in(file, std::ios::binary);
        in.seekg(std::streamoff(from));
        std::vector<int16_t> samples(size_t(wanted / 2));
        in.read(reinterpret_cast<char*>(samples.data()), std::streamsize(wanted));
        EXPECT_EQ(uintmax_t(in.gcount()), wanted) << "the recording stopped";
        return samples;
    }

    ScratchFolder folder;
    std::filesystem::path file = folder / "recording.raw";
    ScopedEnv driver{ "SDL_AUDIODRIVER", "disk" };
    ScopedEnv output{ "SDL_DISKAUDIOFILE", file.string() };
    AudioDevice device;

private:
    uintmax_t recordedBytes() const
    {
        std::error_code error;
        const uintmax_t size = std::filesystem::file_size(file, error);
        return error ? 0 : size;
    }
};

int peak(const std::vector<int16_t>& samples)
{
    int highest = 0;
    for (int16_t sample : samples)
        highest = std::max(highest, std::abs(int(sample)));
    return highest;
}

} // namespace

TEST(AudioMix, MusicAndEffectsTogetherNeverClip)
{
    DiskRecording recording;
    ScriptedDialogs dialogs;
    SdlSoundLibrary library{ recording.device, recording.folder.path() };
    MusicPlayer music{ library, dialogs };
    SdlSoundEffects effects{ recording.device };
    // Both at full scale, as loud as a file can be: a looping square wave as music and a
    // three-second square wave as the effect.
    recording.folder.write("loud.wav", waveFile(squareWave(kRate, 100, kFullScale), kRate));
    const auto effect
        = recording.folder.write("boom.wav", waveFile(squareWave(3 * kRate, 64, kFullScale), kRate));

    music.LoadMusic("loud.wav");
    music.PlayMusic();
    const int musicAlone = peak(recording.recordFromNow(0.25));
    effects.play(effect);
    const int together = peak(recording.recordFromNow(0.25));
    ASSERT_TRUE(Mix_Playing(AudioDevice::kEffectsChannel)) << "the effect ran out before it was recorded";

    EXPECT_GT(musicAlone, kFullScale / 3) << "the music is heard";
    EXPECT_LT(musicAlone, kFullScale / 2) << "and leaves room for the effects";
    EXPECT_GT(together, musicAlone + kFullScale / 3) << "the effect is heard over the music";
    EXPECT_LT(together, kFullScale) << "and together they stay below full scale";
    EXPECT_TRUE(dialogs.calls.empty());
}

TEST(AudioMix, ModuleAndMidiMusicIsHeard)
{
    DiskRecording recording;
    ScriptedDialogs dialogs;
    SdlSoundLibrary library{ recording.device, recording.folder.path() };
    MusicPlayer music{ library, dialogs };
    recording.folder.write("tune.mod", modFile());
    recording.folder.write("tune.mid", midiFile());
    for (const char* file : { "tune.mod", "tune.mid" }) {
        SCOPED_TRACE(file);
        music.LoadMusic(file);
        music.PlayMusic();
        ASSERT_TRUE(Mix_PlayingMusic());
        const int loudest = peak(recording.recordFromNow(0.5));
        EXPECT_GT(loudest, 500);
        EXPECT_LT(loudest, kFullScale / 2);
        music.StopMusic();
    }
    EXPECT_TRUE(dialogs.calls.empty()) << dialogs.calls[0].text;
}

TEST(AudioMix, EffectsPlayWhenTheMusicFileFails)
{
    ScratchFolder folder;
    AudioDevice device;
    ASSERT_TRUE(device.open({})) << device.lastError();
    ScriptedDialogs dialogs;
    SdlSoundLibrary library{ device, folder.path() };
    MusicPlayer music{ library, dialogs };
    SdlSoundEffects effects{ device };
    const auto beep = folder.write("beep.wav", waveFile(squareWave(kRate, 100, 8000), kRate));

    music.LoadMusic("missing.ogg");
    music.PlayMusic();
    ASSERT_EQ(dialogs.calls.size(), 1u);
    effects.play(beep);
    EXPECT_TRUE(Mix_Playing(AudioDevice::kEffectsChannel));
    EXPECT_FALSE(Mix_PlayingMusic());
}
