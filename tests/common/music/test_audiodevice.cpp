// The audio device leaves the process's signals alone: the desktop's SIGTERM and a Ctrl+C still
// end the program while sound is open.

#include "common/music/audiodevice.h"

#include <csignal>
#include <gtest/gtest.h>

namespace kalvon {
namespace {

TEST(AudioDevice, OpenDeviceKeepsTheDefaultEndingSignals)
{
    AudioDevice device;
    ASSERT_TRUE(device.open({})) << device.lastError();
    for (int signal : { SIGTERM, SIGINT }) {
        SCOPED_TRACE(signal);
        struct sigaction action { };
        ASSERT_EQ(sigaction(signal, nullptr, &action), 0);
        EXPECT_EQ(action.sa_handler, SIG_DFL);
    }
}

} // namespace
} // namespace kalvon
