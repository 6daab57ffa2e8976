#include "platform/gameticker.h"

#include "common/clock.h"

namespace kalvon {

namespace {
constexpr int kMaxDepth = 2; // the tick itself and one nested run inside its waits
}

GameTicker::GameTicker(const Clock& clock, int intervalMs, std::function<void()> tick, QObject* parent)
    : QObject(parent)
    , m_clock(clock)
    , m_intervalMs(intervalMs)
    , m_tick(std::move(tick))
{
    m_timer.setTimerType(Qt::PreciseTimer);
    m_timer.setInterval(intervalMs);
    connect(&m_timer, &QTimer::timeout, this, [this] {
        if (m_depth < kMaxDepth)
            runTick();
    });
}

void GameTicker::start()
{
    m_lastRun = m_clock.nowMs();
    m_timer.start();
}

void GameTicker::stop()
{
    m_timer.stop();
}

void GameTicker::runIfDue()
{
    if (!m_timer.isActive() || m_depth >= kMaxDepth)
        return;
    if (m_clock.nowMs() - m_lastRun < m_intervalMs)
        return;
    runTick();
}

void GameTicker::runTick()
{
    m_lastRun = m_clock.nowMs();
    ++m_depth;
    m_tick();
    --m_depth;
}

} // namespace kalvon
