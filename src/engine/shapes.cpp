#include "engine/shapes.h"

#include "engine/types.h"

namespace kalvon {

namespace {

struct Shape {
    int16_t fallingColor;
    int orientations;
    std::array<PieceCells, 4> cells;
    // Direction 1 from each orientation: the reference-cell shift (the next orientation is
    // orientation + 1, wrapping).
    std::array<CellOffset, 4> turnShift;
};

// In PieceType order.
constexpr std::array<Shape, kPieceTypes> kShapes = { {
    // tblock: turns about its middle cell
    { 91, 4,
        { { { { { 0, 0 }, { 1, -1 }, { 1, 0 }, { 2, 0 } } }, { { { 0, 0 }, { 0, 1 }, { 0, 2 }, { 1, 1 } } },
            { { { 0, 0 }, { 1, 0 }, { 2, 0 }, { 1, 1 } } },
            { { { 0, 0 }, { 0, 1 }, { 0, 2 }, { -1, 1 } } } } },
        { { { 1, -1 }, { -1, 1 }, { 1, -1 }, { -1, 1 } } } },
    // lines
    { 90, 2,
        { { { { { 0, 0 }, { 1, 0 }, { 2, 0 }, { 3, 0 } } },
            { { { 0, 0 }, { 0, 1 }, { 0, 2 }, { 0, 3 } } } } },
        { { { 1, -1 }, { -1, 1 } } } },
    // zblock
    { 92, 2,
        { { { { { 0, 0 }, { 1, 0 }, { 1, 1 }, { 2, 1 } } },
            { { { 0, 0 }, { 0, 1 }, { -1, 1 }, { -1, 2 } } } } },
        { { { 1, -1 }, { -1, 1 } } } },
    // sblock
    { 94, 2,
        { { { { { 0, 0 }, { 1, 0 }, { 1, -1 }, { 2, -1 } } },
            { { { 0, 0 }, { 0, 1 }, { 1, 1 }, { 1, 2 } } } } },
        { { { 1, -2 }, { -1, 2 } } } },
    // square
    { 95, 1, { { { { { 0, 0 }, { 1, 0 }, { 0, 1 }, { 1, 1 } } } } }, {} },
    // lblock
    { 93, 4,
        { { { { { 0, 0 }, { 1, 0 }, { 2, 0 }, { 0, 1 } } }, { { { 0, 0 }, { 1, 0 }, { 1, 1 }, { 1, 2 } } },
            { { { 0, 0 }, { 1, 0 }, { 2, 0 }, { 2, -1 } } },
            { { { 0, 0 }, { 0, 1 }, { 0, 2 }, { 1, 2 } } } } },
        { { { 0, 0 }, { -1, 1 }, { 1, -2 }, { 0, 1 } } } },
    // lblock2
    { 92, 4,
        { { { { { 0, 0 }, { 1, 0 }, { 2, 0 }, { 2, 1 } } }, { { { 0, 0 }, { 0, 1 }, { 0, 2 }, { -1, 2 } } },
            { { { 0, 0 }, { 0, 1 }, { 1, 1 }, { 2, 1 } } },
            { { { 0, 0 }, { 1, 0 }, { 0, 1 }, { 0, 2 } } } } },
        { { { 2, -1 }, { -1, 1 }, { 0, 0 }, { -1, 0 } } } },
} };

const Shape* shapeOf(int type)
{
    if (type < 0 || type >= kPieceTypes)
        return nullptr;
    return &kShapes[static_cast<size_t>(type)];
}

} // namespace

const PieceCells* pieceCells(int type, int orientation)
{
    const Shape* shape = shapeOf(type);
    if (!shape || orientation < 1 || orientation > shape->orientations)
        return nullptr;
    return &shape->cells[static_cast<size_t>(orientation - 1)];
}

int16_t fallingColor(int type)
{
    const Shape* shape = shapeOf(type);
    return shape ? shape->fallingColor : 0;
}

std::optional<PieceTurn> pieceTurn(int type, int orientation, int direction)
{
    const Shape* shape = shapeOf(type);
    if (!shape || shape->orientations < 2 || orientation < 1 || orientation > shape->orientations)
        return std::nullopt;
    const int count = shape->orientations;
    if (count == 2 || direction == 1) {
        // Two-state pieces toggle with the shift of their current orientation either way.
        const CellOffset shift = shape->turnShift[static_cast<size_t>(orientation - 1)];
        return PieceTurn{ static_cast<int16_t>(orientation % count + 1), shift.dx, shift.dy };
    }
    // The other way undoes the turn that led into this orientation.
    const int previous = orientation == 1 ? count : orientation - 1;
    const CellOffset shift = shape->turnShift[static_cast<size_t>(previous - 1)];
    return PieceTurn{ static_cast<int16_t>(previous), static_cast<int8_t>(-shift.dx),
        static_cast<int8_t>(-shift.dy) };
}

} // namespace kalvon
