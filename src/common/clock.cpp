#include "common/clock.h"

#include <chrono>

namespace kalvon {

int64_t SteadyClock::nowMs() const
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

} // namespace kalvon
