// The field specials: Add Line, Clear Line, Nuke Field, Random Clear, Vertical Clear, Clear
// Specials and Give Line, with the block counters they and the rearranging specials use.
// Emptying a cell clears its occupancy and leaves its code; shifting rows copies both.

#include "engine/shapes.h"
#include "engine/specials.h"

#include <algorithm>
#include <array>

namespace kalvon {

namespace {

void copyCell(EngineState& s, int p, int fromX, int fromY, int toX, int toY)
{
    s.FieldOccupied[p][toX][toY] = s.FieldOccupied[p][fromX][fromY];
    s.FieldColor[p][toX][toY] = s.FieldColor[p][fromX][fromY];
}

// The lowest row the falling piece covers.
int pieceBottomRow(const FallingPieceRecord& piece)
{
    int bottom = piece.Row;
    if (const PieceCells* cells = pieceCells(piece.Type, piece.Orientation))
        for (const CellOffset& c : *cells)
            bottom = std::max(bottom, piece.Row + c.dy);
    return bottom;
}

} // namespace

void GameSpecials::playSound(SoundSlot slot)
{
    if (state().Options.sounds)
        host().playSound(slot);
}

bool GameSpecials::isLocked(int p, int x, int y) const
{
    return state().FieldOccupied[p][x][y] == kCellOccupied
        && state().FieldColor[p][x][y] < kFallingCodeOffset;
}

bool GameSpecials::isFalling(int p, int x, int y) const
{
    return state().FieldOccupied[p][x][y] == kCellOccupied
        && state().FieldColor[p][x][y] >= kFallingCodeOffset;
}

void GameSpecials::AddLine(int t)
{
    auto& s = state();
    if (!isPlayer(t) || !s.GameActive)
        return;
    const uint32_t generation = s.GameGeneration;
    // A piece in the top two rows is first pulled down to row 2 (it may land on the way, and
    // the next piece is pulled down in turn), so no piece cell is pushed off the top.
    while (s.PieceInPlay[t] && s.FallingPiece[t].Row < 2) {
        if (!m_engine.MovePieceDown(t))
            return;
        if (!s.GameActive || s.GameGeneration != generation)
            return;
    }

    for (int y = 0; y < kFieldRows - 1; ++y)
        for (int x = 0; x < kFieldColumns; ++x)
            copyCell(s, t, x, y + 1, x, y);
    if (s.PieceInPlay[t])
        --s.FallingPiece[t].Row;

    // The hole lies in columns 0..9; every other cell gets a colour of its own.
    const int hole = draw(10);
    constexpr int bottom = kFieldRows - 1;
    for (int x = 0; x < kFieldColumns; ++x) {
        if (x == hole) {
            s.FieldOccupied[t][x][bottom] = kCellEmpty;
            s.FieldColor[t][x][bottom] = 0;
        } else {
            s.FieldOccupied[t][x][bottom] = kCellOccupied;
            s.FieldColor[t][x][bottom] = static_cast<int16_t>(draw(6));
        }
    }
}

void GameSpecials::removeBottomRow(int t)
{
    auto& s = state();
    constexpr int bottom = kFieldRows - 1;
    for (int x = 0; x < kFieldColumns; ++x) {
        s.FieldOccupied[t][x][0] = kCellEmpty;
        s.FieldOccupied[t][x][bottom] = kCellEmpty;
        for (int y = bottom; y > 0; --y)
            copyCell(s, t, x, y - 1, x, y);
    }
    if (isPlayer(t) && s.PieceInPlay[t])
        ++s.FallingPiece[t].Row;
}

void GameSpecials::ClearLine(int t)
{
    auto& s = state();
    if (s.GameMode == GameMode::OnePlayer || !isPlayer(t))
        return;
    // A piece resting on the floor would be pushed below the field: it lands first. When it
    // cannot land now (the game is paused or over), the line stays.
    if (s.PieceInPlay[t] && pieceBottomRow(s.FallingPiece[t]) >= kFieldRows - 1) {
        const uint32_t generation = s.GameGeneration;
        if (!m_engine.MovePieceDown(t) || s.GameGeneration != generation)
            return;
    }
    removeBottomRow(t);
    drawing().DrawField(t);
}

void GameSpecials::NukeField(int t)
{
    if (!isField(t))
        return;
    for (int x = 0; x < kFieldColumns; ++x)
        for (int y = 0; y < kFieldRows; ++y)
            if (isLocked(t, x, y))
                state().FieldOccupied[t][x][y] = kCellEmpty;
    drawing().PaintFieldBackground(t);
}

void GameSpecials::RandomClear(int t)
{
    if (!isField(t))
        return;
    const int blocks = CountFieldBlocks(t);
    if (blocks <= 15)
        return;
    // Each draw picks among the locked blocks there are now (specials too), row by row from
    // the top, so it always finds one while any is left.
    std::array<Cell, kFieldCells> locked;
    for (int i = blocks / 15 + 1; i > 0 && state().GameActive; --i) {
        int count = 0;
        for (int y = 0; y < kFieldRows; ++y)
            for (int x = 0; x < kFieldColumns; ++x)
                if (isLocked(t, x, y))
                    locked[static_cast<size_t>(count++)]
                        = { static_cast<int16_t>(x), static_cast<int16_t>(y) };
        if (count == 0)
            break;
        const Cell cell = locked[static_cast<size_t>(std::clamp(draw(count), 0, count - 1))];
        state().FieldOccupied[t][cell.column][cell.row] = kCellEmpty;
    }
    drawing().DrawField(t);
}

void GameSpecials::VerticalClear(int t)
{
    if (!isField(t))
        return;
    // At most 49 drawn columns are tried; the 50th draw gives up.
    int column = 0;
    for (int drawn = 1;; ++drawn) {
        column = std::clamp(draw(kFieldColumns), 0, kFieldColumns - 1);
        if (drawn == 50)
            return;
        if (CountColumnBlocks(t, column) != 0)
            break;
    }
    for (int y = 0; y < kFieldRows; ++y)
        if (isLocked(t, column, y))
            state().FieldOccupied[t][column][y] = kCellEmpty;
    drawing().DrawField(t);
}

void GameSpecials::ClearSpecials(int t)
{
    if (!isField(t))
        return;
    // Colours 0..4: colour 5 is never given.
    for (int y = 0; y < kFieldRows; ++y)
        for (int x = 0; x < kFieldColumns; ++x)
            if (isLocked(t, x, y) && state().FieldColor[t][x][y] >= kFirstSpecialCode)
                state().FieldColor[t][x][y] = static_cast<int16_t>(draw(5));
    drawing().DrawField(t);
}

void GameSpecials::GiveLine(int t)
{
    if (!isField(t))
        return;
    m_engine.SetNextPiece(t, static_cast<int>(PieceType::Lines));
    drawing().DrawNextPiece(t);
}

int GameSpecials::CountColumnBlocks(int p, int x) const
{
    if (!isField(p) || x < 0 || x >= kFieldColumns)
        return 0;
    int count = 0;
    for (int y = 0; y < kFieldRows; ++y)
        count += isLocked(p, x, y);
    return count;
}

int GameSpecials::CountRowBlocks(int p, int y) const
{
    if (!isField(p) || y < 0 || y >= kFieldRows)
        return 0;
    int count = 0;
    for (int x = 0; x < kFieldColumns; ++x)
        count += isLocked(p, x, y);
    return count;
}

int GameSpecials::CountFieldBlocks(int p) const
{
    if (!isField(p))
        return 0;
    int count = 0;
    for (int x = 0; x < kFieldColumns; ++x)
        for (int y = 0; y < kFieldRows; ++y)
            count += isLocked(p, x, y) && state().FieldColor[p][x][y] < kFirstSpecialCode;
    return count;
}

} // namespace kalvon
