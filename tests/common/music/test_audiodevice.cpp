// The audio device leaves the process's signal handling alone: SDL would otherwise take SIGINT
// and SIGTERM for an event queue nobody reads, and a logout or a kill would not end the program.

#include "common/music/audiodevice.h"
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
