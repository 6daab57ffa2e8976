// Block Bomb: every bomb block explodes, throws up to three of its neighbours to random cells
// lower in the field and removes the rest; its animation goes into a free slot of the field.

#include "common/vbconv.h"
#include "engine/specials.h"

#include <array>

namespace kalvon {

namespace {

constexpr int16_t kBombCode = kFirstSpecialCode + static_cast<int16_t>(SpecialType::BlockBomb);

struct Offset {
    int dx, dy;
};
// The neighbours in the order they are visited.
constexpr std::array<Offset, 8> kNeighbours
    = { { { -1, -1 }, { 0, -1 }, { -1, 0 }, { 1, -1 }, { -1, 1 }, { 1, 1 }, { 0, 1 }, { 1, 0 } } };
constexpr int kThrown = 3;

bool onField(int x, int y)
{
    return x >= 0 && x < kFieldColumns && y >= 0 && y < kFieldRows;
}

} // namespace

void GameSpecials::ExplodeBombBlocks(int t)
{
    auto& s = state();
    if (!isField(t))
        return;
    for (int y = 0; y < kFieldRows; ++y) {
        for (int x = 0; x < kFieldColumns; ++x) {
            if (s.FieldOccupied[t][x][y] != kCellOccupied || s.FieldColor[t][x][y] != kBombCode)
                continue;
            playSound(SoundSlot::Explode);
            StartBombAnimation(t, x - 1.5, y - 1.5);
            // Neighbours off the field count for nothing; other bombs stay for their turn.
            int counted = 0;
            for (const Offset& n : kNeighbours) {
                const int nx = x + n.dx;
                const int ny = y + n.dy;
                if (!onField(nx, ny) || !isLocked(t, nx, ny))
                    continue;
                const int16_t code = s.FieldColor[t][nx][ny];
                if (code < 0 || code == kBombCode)
                    continue;
                s.FieldOccupied[t][nx][ny] = kCellEmpty;
                if (++counted <= kThrown)
                    PlaceBlockAtRandom(t, code, nx, ny);
            }
            s.FieldOccupied[t][x][y] = kCellEmpty;
        }
    }
}

void GameSpecials::PlaceBlockAtRandom(int p, int16_t code, int avoidColumn, int avoidRow)
{
    if (!isField(p))
        return;
    auto& s = state();
    for (int drawn = 1; drawn <= 50; ++drawn) {
        const int row = draw(16) + 6;
        const int column = draw(kFieldColumns);
        if (!onField(column, row))
            continue;
        const bool last = drawn == 50;
        if (!last && column == avoidColumn && row == avoidRow)
            continue;
        if (s.FieldOccupied[p][column][row] == kCellOccupied)
            continue;
        s.FieldOccupied[p][column][row] = kCellOccupied;
        s.FieldColor[p][column][row] = code;
        return;
    }
}

void GameSpecials::StartBombAnimation(int p, double x, double y)
{
    auto& s = state();
    if (!s.Options.bombAnimation || !isField(p))
        return;
    auto& slots = s.BombAnimations[p];
    for (int i = 0; i < kBombSlots; ++i) {
        BombAnimation& slot = slots[static_cast<size_t>(i)];
        if (slot.Active)
            continue;
        // Halves go to the even neighbour: the 4 x 4 square starts on an even cell.
        const auto column = static_cast<int16_t>(vb::roundHalfEven(x));
        const auto row = static_cast<int16_t>(vb::roundHalfEven(y));
        slot = { .Active = true, .Frame = 0, .LastTick = 0, .Column = column, .Row = row };
        host().BombCreate(p, column, row, i);
        return;
    }
}

} // namespace kalvon
