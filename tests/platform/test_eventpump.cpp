// Yield/Wait and the game tick: the tick keeps running while a handler of the same tick waits,
// nested at most one level deep. Time is a fake clock that moves by a millisecond at each pass
// of the pump (or when a test's timer fires), so what the tests count does not depend on how
// fast the machine runs.

#include "platform/gameticker.h"
#include "platform/qteventpump.h"
#include "support/fakeclock.h"

#include <QElapsedTimer>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <memory>
#include <utility>
#include <vector>

using namespace kalvon;
using kalvon::testing::FakeClock;

namespace {

// Stands between the pump and a tick's owner: each pass of the pump is one millisecond.
class PassClock final : public TickSource {
public:
    PassClock(FakeClock& clock, TickSource* owner = nullptr)
        : m_clock(clock)
        , m_owner(owner)
    {
    }
    void runIfDue() override
    {
        m_clock.advance(1);
        if (m_owner)
            m_owner->runIfDue();
    }

private:
    FakeClock& m_clock;
    TickSource* m_owner;
};

} // namespace

TEST(EventPump, WaitLastsTheGivenTime)
{
    FakeClock clock;
    QtEventPump pump(clock);
    PassClock passes(clock);
    pump.setTickSource(&passes);
    const int64_t start = clock.nowMs();
    pump.Wait(30);
    EXPECT_EQ(clock.nowMs() - start, 30);
}

TEST(EventPump, WaitLetsOtherTimersRun)
{
    // Time moves only when the timer fires, so the wait ends only if it lets the timer run.
    // Should it not, the clock jumps ahead after a generous real-time bound and the test fails.
    class TimerClock final : public Clock {
    public:
        int64_t nowMs() const override { return m_bound.hasExpired(20000) ? m_now + 1'000'000 : m_now; }
        int64_t m_now = 0;
        QElapsedTimer m_bound;
    } clock;
    clock.m_bound.start();
    QtEventPump pump(clock);
    int fired = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        ++fired;
        clock.m_now += 5;
    });
    timer.start(5);
    pump.Wait(15);
    EXPECT_EQ(fired, 3);
}

TEST(GameTicker, KeepsCountingWhileItsOwnHandlerWaits)
{
    FakeClock clock;
    QtEventPump pump(clock);
    std::vector<std::pair<int64_t, int>> runs; // when each tick began, at which depth
    std::unique_ptr<GameTicker> ticker;
    ticker = std::make_unique<GameTicker>(clock, 10, [&] {
        runs.emplace_back(clock.nowMs(), ticker->depth());
        // The first tick waits like an animation inside the tick; the nested ticks wait too,
        // and must not nest any further.
        if (runs.size() == 1) {
            pump.Wait(200);
            ticker->stop();
        } else {
            pump.Wait(15);
        }
    });
    PassClock passes(clock, ticker.get());
    pump.setTickSource(&passes);
    ticker->start();
    // The first tick comes from the ticker's own timer; it ends after its 200 ms wait.
    ASSERT_TRUE(QTest::qWaitFor([&] { return !ticker->isActive(); }, 20000));

    ASSERT_GE(runs.size(), 6u);
    const int64_t first = runs.front().first;
    EXPECT_EQ(runs.front().second, 1);
    EXPECT_EQ(runs[1].first - first, 10); // due again one interval later, inside the wait
    for (std::size_t i = 1; i < runs.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(runs[i].second, 2);
        // Never sooner than the interval; at the first pass after the nested wait.
        if (i > 1) {
            EXPECT_GE(runs[i].first - runs[i - 1].first, 10);
            EXPECT_LE(runs[i].first - runs[i - 1].first, 15 + 1);
        }
    }
    // It kept going through the whole of the first tick's wait.
    EXPECT_GT(runs.back().first - first, 200 - 16);
}

TEST(GameTicker, DoesNotRunWhenStopped)
{
    FakeClock clock;
    QtEventPump pump(clock);
    int ticks = 0;
    GameTicker ticker(clock, 10, [&] { ++ticks; });
    PassClock passes(clock, &ticker);
    pump.setTickSource(&passes);
    pump.Wait(30);
    EXPECT_EQ(ticks, 0);
}
