#include "engine/enginerandom.h"

#include <cmath>

namespace kalvon {

int randomBelow(EngineRandom& random, int n)
{
    return static_cast<int>(std::floor(random.next() * static_cast<double>(n)));
}

double StandardRandom::next()
{
    // The top 53 bits as a fraction: exactly representable, never 1.
    return static_cast<double>(m_engine() >> 11) * 0x1.0p-53;
}

void StandardRandom::reseed(uint64_t seed)
{
    m_engine.seed(seed);
}

} // namespace kalvon
