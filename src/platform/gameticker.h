#pragma once
// The owner of a periodic tick (the game's 10 ms timer): runs the tick from its Qt timer and,
// through TickSource, from yields entered while a tick runs. A tick runs nested at most one
// level deep, so a wait inside a nested tick does not nest again.

#include "platform/eventpump.h"

#include <QObject>
#include <QTimer>
#include <functional>

namespace kalvon {

class Clock;

class GameTicker final : public QObject, public TickSource {
    Q_OBJECT
public:
    GameTicker(const Clock& clock, int intervalMs, std::function<void()> tick, QObject* parent = nullptr);

    void start();
    void stop();
    bool isActive() const { return m_timer.isActive(); }
    int depth() const { return m_depth; }

    void runIfDue() override;

private:
    void runTick();

    const Clock& m_clock;
    int m_intervalMs;
    std::function<void()> m_tick;
    QTimer m_timer;
    int64_t m_lastRun = 0;
    int m_depth = 0;
};

} // namespace kalvon
