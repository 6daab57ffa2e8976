// The specials that move blocks about: Switch Blocks, Block Gravity, Block Quake and Push Field.

#include "engine/specials.h"

#include <algorithm>
#include <array>

namespace kalvon {

namespace {
constexpr int kMaxColumnDraws = 1000;
} // namespace

void GameSpecials::SwitchBlocks()
{
    auto& s = state();
    s.SwitchBusy = true;
    auto& occupied = s.FieldOccupied;
    auto& color = s.FieldColor;
    for (int y = 0; y < kFieldRows; ++y) {
        for (int x = 0; x < kFieldColumns; ++x) {
            // The top seven rows of both fields lose their blocks before the exchange.
            if (y <= 6) {
                for (int p = 1; p <= 2; ++p)
                    if (isLocked(p, x, y))
                        occupied[p][x][y] = kCellEmpty;
            }
            // Locked blocks trade places; anything else (falling-piece cells) is emptied.
            const bool lockedOne = isLocked(1, x, y);
            const int16_t codeOne = color[1][x][y];
            if (isLocked(2, x, y)) {
                occupied[1][x][y] = occupied[2][x][y];
                color[1][x][y] = color[2][x][y];
            } else {
                occupied[1][x][y] = kCellEmpty;
            }
            if (lockedOne) {
                occupied[2][x][y] = kCellOccupied;
                color[2][x][y] = codeOne;
            } else {
                occupied[2][x][y] = kCellEmpty;
            }
        }
    }
    s.SwitchBusy = false;
}

void GameSpecials::BlockGravity(int t)
{
    auto& s = state();
    if (!isPlayer(t) || !s.GameActive)
        return;
    // Each block above a hole moves down with everything above it; the scan goes on downwards
    // through the moved cells, so a block falls all the way in one pass. Falling-piece cells
    // neither move nor are written over.
    for (int x = 0; x < kFieldColumns; ++x) {
        for (int y = 0; y < kFieldRows - 1; ++y) {
            if (s.FieldOccupied[t][x][y] != kCellOccupied || s.FieldOccupied[t][x][y + 1] != kCellEmpty)
                continue;
            for (int k = y; k >= 0; --k) {
                if (isFalling(t, x, k) || isFalling(t, x, k + 1))
                    continue;
                s.FieldOccupied[t][x][k + 1] = s.FieldOccupied[t][x][k];
                s.FieldColor[t][x][k + 1] = s.FieldColor[t][x][k];
            }
            // Row 0 was copied down and not replaced: its blocks go, in every column.
            for (int c = 0; c < kFieldColumns; ++c)
                if (isLocked(t, c, 0))
                    s.FieldOccupied[t][c][0] = kCellEmpty;
        }
    }
    // Full bottom rows go without counting as lines.
    while (CountRowBlocks(t, kFieldRows - 1) == kFieldColumns)
        removeBottomRow(t);
    drawing().DrawField(t);
}

std::optional<int> GameSpecials::pickQuakeRow(int t)
{
    // Every row is tried once, in a random order: one with locked blocks and no falling-piece
    // cell is taken.
    std::array<int16_t, kFieldRows> rows;
    for (int y = 0; y < kFieldRows; ++y)
        rows[static_cast<size_t>(y)] = static_cast<int16_t>(y);
    for (int left = kFieldRows; left > 0; --left) {
        const auto i = static_cast<size_t>(std::clamp(draw(left), 0, left - 1));
        const int y = rows[i];
        bool falling = false;
        for (int x = 0; x < kFieldColumns; ++x)
            falling = falling || isFalling(t, x, y);
        if (!falling && CountRowBlocks(t, y) != 0)
            return y;
        std::copy(rows.begin() + static_cast<ptrdiff_t>(i) + 1, rows.begin() + left,
            rows.begin() + static_cast<ptrdiff_t>(i));
    }
    return std::nullopt;
}

void GameSpecials::BlockQuake(int t)
{
    auto& s = state();
    if (!isPlayer(t) || CountFieldBlocks(t) < 10)
        return;
    s.QuakeActive[t] = true;
    for (int shake = 0; shake < 3 && s.GameActive; ++shake) {
        const std::optional<int> row = pickQuakeRow(t);
        if (!row)
            continue;
        const int y = *row;
        // The row is taken apart, then each of its codes is put back once at a random free
        // column of the same row.
        std::array<int16_t, kFieldColumns> codes;
        int count = 0;
        for (int x = 0; x < kFieldColumns; ++x) {
            if (s.FieldOccupied[t][x][y] == kCellOccupied)
                codes[static_cast<size_t>(count++)] = s.FieldColor[t][x][y];
            s.FieldOccupied[t][x][y] = kCellEmpty;
        }
        drawing().DrawField(t);
        for (int i = 0; i < count; ++i) {
            if (!s.GameActive)
                break;
            if (m_engine.CountRowCells(t, y) >= kFieldColumns)
                continue; // no free cell: the block is lost
            // A free cell is there, so the draws find it; only a broken random source runs out.
            for (int tries = 0; tries < kMaxColumnDraws; ++tries) {
                const int x = std::clamp(draw(kFieldColumns), 0, kFieldColumns - 1);
                if (s.FieldOccupied[t][x][y] != kCellOccupied) {
                    s.FieldOccupied[t][x][y] = kCellOccupied;
                    s.FieldColor[t][x][y] = codes[static_cast<size_t>(i)];
                    break;
                }
            }
        }
        drawing().DrawField(t);
    }
    s.QuakeActive[t] = false;
}

void GameSpecials::PushField(int t)
{
    auto& s = state();
    if (!isField(t))
        return;
    // Each row keeps its locked blocks in their order, moved to the left; its holes and any
    // falling-piece cells are gone.
    for (int y = 0; y < kFieldRows; ++y) {
        std::array<int16_t, kFieldColumns> codes;
        int count = 0;
        for (int x = 0; x < kFieldColumns; ++x) {
            if (isLocked(t, x, y))
                codes[static_cast<size_t>(count++)] = s.FieldColor[t][x][y];
            s.FieldOccupied[t][x][y] = kCellEmpty;
        }
        for (int x = 0; x < count; ++x) {
            s.FieldOccupied[t][x][y] = kCellOccupied;
            s.FieldColor[t][x][y] = codes[static_cast<size_t>(x)];
        }
    }
    drawing().DrawField(t);
}

} // namespace kalvon
