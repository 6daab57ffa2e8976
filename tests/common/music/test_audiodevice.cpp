// The audio device leaves the process's signal handling alone: SDL would otherwise take SIGINT
// and SIGTERM for an event queue nobody reads, and a logout or a kill would not end the program.
// The SDL libraries it loads when it first opens: a library that is missing leaves the device
// closed with a reason, and the music over it silent.

#include "common/music/audiodevice.h"
#include "common/music/sdlaudio.h"
#include "common/music/sdlsoundlibrary.h"
#include "support/scratchfolder.h"
#include "support/signalhandler.h"

#include <csignal>
#include <gtest/gtest.h>

using namespace kalvon;
using kalvon::testing::currentSignalHandler;
using kalvon::testing::SignalHandler;

TEST(AudioDevice, OpeningAndClosingLeaveTheSignalHandlingAlone)
{
    const int numbers[] = { SIGINT, SIGTERM, SIGHUP };
    SignalHandler before[std::size(numbers)];
    for (size_t i = 0; i < std::size(numbers); ++i)
        before[i] = currentSignalHandler(numbers[i]);

    AudioDevice device;
    ASSERT_TRUE(device.open({})) << device.lastError();
    for (size_t i = 0; i < std::size(numbers); ++i)
        EXPECT_EQ(currentSignalHandler(numbers[i]), before[i]) << "open, signal " << numbers[i];
    device.close();
    for (size_t i = 0; i < std::size(numbers); ++i)
        EXPECT_EQ(currentSignalHandler(numbers[i]), before[i]) << "closed, signal " << numbers[i];
}

TEST(SdlAudio, TheSystemLibrariesHaveEveryFunctionAndAMissingLibraryIsNamed)
{
    const SdlAudioLoad& system = systemSdlAudio();
    EXPECT_TRUE(system.loaded) << system.error;

    const struct {
        const char* sdl;
        const char* mixer;
        const char* named;
    } missing[] = {
        { "libkalvon-no-such-sdl.so", "libSDL2_mixer-2.0.so.0", "libkalvon-no-such-sdl.so" },
        { "libSDL2-2.0.so.0", "libkalvon-no-such-mixer.so", "libkalvon-no-such-mixer.so" },
        // A library that loads but is not the mixer: its first function is missing.
        { "libSDL2-2.0.so.0", "libSDL2-2.0.so.0", "Mix_OpenAudio" },
    };
    for (const auto& c : missing) {
        const SdlAudioLoad load = loadSdlAudio(c.sdl, c.mixer);
        EXPECT_FALSE(load.loaded) << c.named;
        EXPECT_NE(load.error.find(c.named), std::string::npos) << load.error;
    }
}

TEST(SdlAudio, WithoutTheLibrariesTheDeviceStaysClosedAndEverythingOverItIsSilent)
{
    AudioDevice device([]() -> const SdlAudioLoad& {
        static const SdlAudioLoad missing
            = loadSdlAudio("libkalvon-no-such-sdl.so", "libSDL2_mixer-2.0.so.0");
        return missing;
    });
    EXPECT_FALSE(device.open({}));
    EXPECT_FALSE(device.isOpen());
    EXPECT_NE(device.lastError().find("libkalvon-no-such-sdl.so"), std::string::npos) << device.lastError();
    EXPECT_EQ(device.sdl(), nullptr);

    kalvon::testing::ScratchFolder folder;
    folder.write("tune.ogg", "OggS");
    SdlSoundLibrary library(device, folder.path());
    EXPECT_FALSE(library.Started());
    EXPECT_EQ(library.StreamOpen("tune.ogg"), 0);
    EXPECT_EQ(library.StreamPlay(1), 0);
    EXPECT_FALSE(library.IsPlaying(1));
    device.close();
}
