#include "platform/qteventpump.h"

#include "common/clock.h"

#include <QCoreApplication>
#include <QThread>
#include <algorithm>

namespace kalvon {

QtEventPump::QtEventPump(const Clock& clock)
    : m_clock(clock)
{
}

void QtEventPump::Yield()
{
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    // Qt does not deliver a timer again while its own handler runs, so the tick's owner is
    // asked directly whether its tick is due.
    if (m_tick)
        m_tick->runIfDue();
}

void QtEventPump::Wait(int64_t ms)
{
    const int64_t start = m_clock.nowMs();
    while (true) {
        Yield();
        const int64_t left = ms - (m_clock.nowMs() - start);
        if (left <= 0)
            break;
        // Sleep a little between passes so a long wait does not spin a core.
        QThread::msleep(static_cast<unsigned long>(std::min<int64_t>(left, 1)));
    }
}

} // namespace kalvon
