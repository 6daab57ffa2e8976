#pragma once
// The millisecond tick count: 64-bit and monotonic (GetTickCount without the wrap). Everything
// that times things reads it through this interface, so tests can drive time by hand.

#include <cstdint>

namespace kalvon {

class Clock {
public:
    virtual ~Clock() = default;
    virtual int64_t nowMs() const = 0;
};

// The system's monotonic clock.
class SteadyClock final : public Clock {
public:
    int64_t nowMs() const override;
};

} // namespace kalvon
