#pragma once
// Yield and Wait: letting pending events run from inside a handler, as the game's long
// operations (animations, specials, send loops) do. While a wait entered from the 10 ms game
// tick runs, the tick keeps running: its owner registers a TickSource, which the pump runs
// whenever it is due, nested at most one level deep.

#include <cstdint>

namespace kalvon {

// What the pump needs of the owner of a periodic tick.
class TickSource {
public:
    virtual ~TickSource() = default;
    // Runs the tick when it is due and nesting allows; does nothing otherwise.
    virtual void runIfDue() = 0;
};

class EventPump {
public:
    virtual ~EventPump() = default;
    // Lets pending events run once (DoEvents).
    virtual void Yield() = 0;
    // Waits until the tick count has advanced by `ms`, letting pending events run meanwhile.
    virtual void Wait(int64_t ms) = 0;
};

} // namespace kalvon
