// The main of plain test programs: SDL's silent audio driver unless told otherwise, so a test
// that opens the audio device runs on machines without sound.

#include <cstdlib>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
