// Yield/Wait and the game tick: the tick keeps running while a handler of the same tick waits,
// nested at most one level deep.

#include "common/clock.h"
#include "platform/gameticker.h"
#include "platform/qteventpump.h"

#include <QCoreApplication>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

using namespace kalvon;

TEST(EventPump, WaitLastsAtLeastTheGivenTime)
{
    SteadyClock clock;
    QtEventPump pump(clock);
    const int64_t start = clock.nowMs();
    pump.Wait(30);
    EXPECT_GE(clock.nowMs() - start, 30);
}

TEST(EventPump, WaitLetsOtherTimersRun)
{
    SteadyClock clock;
    QtEventPump pump(clock);
    int fired = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] { ++fired; });
    timer.start(5);
    pump.Wait(60);
    EXPECT_GE(fired, 3);
}

TEST(GameTicker, KeepsCountingWhileItsOwnHandlerWaits)
{
    SteadyClock clock;
    QtEventPump pump(clock);
    int ticks = 0;
    int maxDepth = 0;
    std::unique_ptr<GameTicker> ticker;
    ticker = std::make_unique<GameTicker>(clock, 10, [&] {
        ++ticks;
        maxDepth = std::max(maxDepth, ticker->depth());
        // The first tick waits like an animation inside the tick; the nested ticks wait too,
        // and must not nest any further.
        if (ticks == 1 || ticker->depth() == 2)
            pump.Wait(ticks == 1 ? 200 : 15);
    });
    pump.setTickSource(ticker.get());
    ticker->start();
    QTimer::singleShot(0, [] {}); // make sure the loop has something to deliver
    const int64_t start = clock.nowMs();
    while (ticks == 0 && clock.nowMs() - start < 1000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    // The first tick ran to the end of its 200 ms wait; during it the tick kept going.
    EXPECT_GE(ticks, 6);
    EXPECT_EQ(maxDepth, 2);
    ticker->stop();
}

TEST(GameTicker, DoesNotRunWhenStopped)
{
    SteadyClock clock;
    QtEventPump pump(clock);
    int ticks = 0;
    GameTicker ticker(clock, 10, [&] { ++ticks; });
    pump.setTickSource(&ticker);
    pump.Wait(30);
    EXPECT_EQ(ticks, 0);
}
