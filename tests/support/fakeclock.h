#pragma once
// A clock that moves only when the test says so.

#include "common/clock.h"

namespace kalvon::testing {

class FakeClock final : public Clock {
public:
    explicit FakeClock(int64_t start = 1000)
        : m_now(start)
    {
    }
    int64_t nowMs() const override { return m_now; }
    void set(int64_t now) { m_now = now; }
    void advance(int64_t ms) { m_now += ms; }

private:
    int64_t m_now;
};

} // namespace kalvon::testing
