#pragma once
// The seven piece shapes: the cells each covers per orientation, relative to its reference cell,
// the falling colour of each type, and the reference-cell shift of each turn.

#include <array>
#include <cstdint>
#include <optional>

namespace kalvon {

struct CellOffset {
    int8_t dx = 0;
    int8_t dy = 0; // negative is above the reference row
};
using PieceCells = std::array<CellOffset, 4>;

// The cells of a type in an orientation; nothing for a type or orientation the shape lacks.
const PieceCells* pieceCells(int type, int orientation);

// The code of a falling cell of the type (90..95); 0 for a type outside 0..6.
int16_t fallingColor(int type);

// A turn: the new orientation and the shift of the reference cell.
struct PieceTurn {
    int16_t orientation = 1;
    int8_t dx = 0;
    int8_t dy = 0;
};

// The turn of a piece from `orientation`; direction 1 turns one way, any other value the other
// way. Nothing for the square (it does not turn) or an invalid type or orientation.
std::optional<PieceTurn> pieceTurn(int type, int orientation, int direction);

} // namespace kalvon
