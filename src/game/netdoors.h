#pragma once
// The doors over the opponents' five boards: closed at start-up, opening when a player takes
// the board's slot, closing when the slot empties. The door procedures set them, the game tick
// steps them a row at a time, and the board drawing shows them.

#include "engine/types.h"

#include <array>
#include <cstdint>

namespace kalvon {

inline constexpr int16_t kNetDoorClosedRow = 22;

struct NetDoor {
    bool Open = false;
    bool Opening = false;
    bool Closing = false;
    int16_t Row = kNetDoorClosedRow; // 22 covers the board, 0 is open
    int64_t LastStep = 0;
};

// Boards 1..5 (element 0 unused).
using NetDoors = std::array<NetDoor, kInternetFields + 1>;

} // namespace kalvon
