#pragma once
// The engine's random source: numbers in [0, 1), consumed in the order the rules draw them.
// Drawing has a source of its own, so drawing never changes the piece sequence.

#include <cstdint>
#include <random>

namespace kalvon {

class EngineRandom {
public:
    virtual ~EngineRandom() = default;
    // The next number, 0 <= r < 1.
    virtual double next() = 0;
    // Starts the sequence again from a seed (the game seeds from the clock).
    virtual void reseed(uint64_t seed) = 0;
};

// Int(r x n): a whole number from 0 to n - 1, computed in double. One number is consumed even
// when n <= 0 (the result is then 0 or below).
int randomBelow(EngineRandom& random, int n);

// A 64-bit Mersenne twister; the same seed gives the same sequence on every machine.
class StandardRandom final : public EngineRandom {
public:
    explicit StandardRandom(uint64_t seed = 5489u) { reseed(seed); }
    double next() override;
    void reseed(uint64_t seed) override;

private:
    std::mt19937_64 m_engine;
};

} // namespace kalvon
