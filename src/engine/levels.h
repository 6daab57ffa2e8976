#pragma once
// Level to fall interval and smooth-fall speed: a level L steps one row every (101 - L) x 10 ms,
// and slides 16 pixels in that time. Every caller goes through these, so a level from anywhere
// (the wire included) is first brought into 0..100.

#include <cstdint>

namespace kalvon {

int clampLevel(int64_t level);

// Milliseconds between two gravity steps: 1010 at level 0, 1000 at 1, 10 at 100.
int FallIntervalMs(int level);

// Pixels per millisecond of the smooth fall.
double FallSpeedFor(int level);

} // namespace kalvon
