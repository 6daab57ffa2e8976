#pragma once
// The event pump over Qt's event loop.

#include "platform/eventpump.h"

namespace kalvon {

class Clock;

class QtEventPump final : public EventPump {
public:
    explicit QtEventPump(const Clock& clock);

    // The tick to keep running during yields (nullptr for none).
    void setTickSource(TickSource* tick) { m_tick = tick; }

    void Yield() override;
    void Wait(int64_t ms) override;

private:
    const Clock& m_clock;
    TickSource* m_tick = nullptr;
};

} // namespace kalvon
