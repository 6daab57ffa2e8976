// Block Bomb: every bomb block explodes, throws up to three of its neighbours to random cells
// lower in the field and removes the rest; its animation goes into a free slot of the field,
// whose frames the tick steps.

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
    const auto& s = state();
    if (!s.Options.bombAnimation || !isField(p))
        return;
    for (int i = 0; i < kBombSlots; ++i) {
        if (s.BombAnimations[p][static_cast<size_t>(i)].Active)
            continue;
        // Halves go to the even neighbour: the 4 x 4 square starts on an even cell.
        const auto column = static_cast<int16_t>(vb::roundHalfEven(x));
        const auto row = static_cast<int16_t>(vb::roundHalfEven(y));
        m_engine.startBombSlot(p, i, column, row);
        drawing().BombCreate(p, column, row, i);
        return;
    }
}

void GameEngine::startBombSlot(int p, int slot, int column, int row)
{
    if (!isField(p) || slot < 0 || slot >= kBombSlots)
        return;
    m_state.BombAnimations[p][static_cast<size_t>(slot)] = { .Active = true,
        .Frame = 0,
        .LastTick = 0,
        .Column = static_cast<int16_t>(column),
        .Row = static_cast<int16_t>(row) };
}

void GameEngine::stepBombs(int p, int64_t now, int64_t frameDelay, int frameCount)
{
    if (!isField(p))
        return;
    auto& bombs = m_state.BombAnimations[p];
    for (int slot = 0; slot < kBombSlots; ++slot) {
        BombAnimation& bomb = bombs[static_cast<size_t>(slot)];
        if (!bomb.Active || now - bomb.LastTick < frameDelay)
            continue;
        // A theme changed to fewer frames mid-animation ends the bomb too.
        if (bomb.Frame >= frameCount) {
            bomb.Active = false;
            drawing().BombKill(p, slot);
        } else {
            ++bomb.Frame;
            drawing().BombFrame(p, slot, bomb.Frame);
            bomb.LastTick = now;
        }
    }
}

} // namespace kalvon
