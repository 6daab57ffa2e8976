// The quit signals: a signal reaches the program as one quit request through the event loop,
// never inside the handler, and the previous handling comes back afterwards.

#include "platform/quitsignals.h"
#include "support/signalhandler.h"

#include <QSignalSpy>
#include <csignal>
#include <gtest/gtest.h>
#include <stdexcept>

using namespace kalvon;
using kalvon::testing::currentSignalHandler;
using kalvon::testing::SignalHandler;

namespace {

// Far above any real delivery: the request is waited for, never timed.
constexpr int kGenerousMs = 30000;

volatile std::sig_atomic_t g_testHandlerCalls = 0;
void testHandler(int)
{
    g_testHandlerCalls = g_testHandlerCalls + 1;
}

} // namespace

TEST(QuitSignals, EachSignalArrivesAsAQuitRequestThroughTheEventLoop)
{
    for (const int number : { SIGTERM, SIGINT, SIGHUP }) {
        SCOPED_TRACE(number);
        QuitSignals quit;
        ASSERT_TRUE(quit.active());
        QSignalSpy requests(&quit, &QuitSignals::quitRequested);
        ASSERT_EQ(std::raise(number), 0);
        // The handler only wrote to the pipe: nothing of the program ran inside it.
        EXPECT_EQ(requests.count(), 0);
        ASSERT_TRUE(requests.wait(kGenerousMs));
        ASSERT_EQ(requests.count(), 1);
        EXPECT_EQ(requests.at(0).at(0).toInt(), number);
    }
}

// A logout may send SIGHUP and SIGTERM together, an impatient user Ctrl+C twice: the program
// is asked to end once, with the first signal's number.
TEST(QuitSignals, SignalsReceivedTogetherMakeOneRequest)
{
    QuitSignals quit;
    QSignalSpy requests(&quit, &QuitSignals::quitRequested);
    ASSERT_EQ(std::raise(SIGHUP), 0);
    ASSERT_EQ(std::raise(SIGTERM), 0);
    ASSERT_EQ(std::raise(SIGINT), 0);
    ASSERT_TRUE(requests.wait(kGenerousMs));
    EXPECT_EQ(requests.count(), 1);
    EXPECT_EQ(requests.at(0).at(0).toInt(), SIGHUP);
}

TEST(QuitSignals, PreviousHandlingComesBackAndOnlyOneObjectTakesTheSignals)
{
    struct sigaction own = {};
    own.sa_handler = testHandler;
    sigemptyset(&own.sa_mask);
    struct sigaction before = {};
    ASSERT_EQ(sigaction(SIGHUP, &own, &before), 0);
    const SignalHandler termBefore = currentSignalHandler(SIGTERM);
    {
        QuitSignals quit;
        EXPECT_NE(currentSignalHandler(SIGHUP), testHandler);
        EXPECT_NE(currentSignalHandler(SIGTERM), termBefore);
        EXPECT_THROW(QuitSignals second, std::logic_error);
        // The refused second object left the first one's handling in place.
        QSignalSpy requests(&quit, &QuitSignals::quitRequested);
        ASSERT_EQ(std::raise(SIGTERM), 0);
        EXPECT_TRUE(requests.wait(kGenerousMs));
    }
    EXPECT_EQ(currentSignalHandler(SIGHUP), testHandler);
    EXPECT_EQ(currentSignalHandler(SIGTERM), termBefore);
    ASSERT_EQ(std::raise(SIGHUP), 0);
    EXPECT_EQ(g_testHandlerCalls, 1);
    sigaction(SIGHUP, &before, nullptr);

    // Taken again once the first is gone.
    QuitSignals again;
    EXPECT_TRUE(again.active());
}
