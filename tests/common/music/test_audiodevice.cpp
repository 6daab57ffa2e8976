// The audio device leaves the process's signal handling alone: SDL would otherwise take SIGINT
// and SIGTERM for an event queue nobody reads, and a logout or a kill would not end the program.

#include "common/music/audiodevice.h"

#include <csignal>
#include <gtest/gtest.h>

using namespace kalvon;

namespace {

using Handler = void (*)(int);

Handler currentHandler(int number)
{
    struct sigaction action = {};
    sigaction(number, nullptr, &action);
    return action.sa_handler;
}

} // namespace

TEST(AudioDevice, OpeningAndClosingLeaveTheSignalHandlingAlone)
{
    const int numbers[] = { SIGINT, SIGTERM, SIGHUP };
    Handler before[std::size(numbers)];
    for (size_t i = 0; i < std::size(numbers); ++i)
        before[i] = currentHandler(numbers[i]);

    AudioDevice device;
    ASSERT_TRUE(device.open({})) << device.lastError();
    for (size_t i = 0; i < std::size(numbers); ++i)
        EXPECT_EQ(currentHandler(numbers[i]), before[i]) << "open, signal " << numbers[i];
    device.close();
    for (size_t i = 0; i < std::size(numbers); ++i)
        EXPECT_EQ(currentHandler(numbers[i]), before[i]) << "closed, signal " << numbers[i];
}
