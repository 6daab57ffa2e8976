// Moving the falling piece: sideways, one row down (landing when blocked) and the hard drop;
// the landing test and the shadow. A move happens whole or not at all: the cells the piece would
// newly cover are tested first, and only then are the field arrays changed.

#include "engine/gameengine.h"
#include "engine/shapes.h"

#include <algorithm>

namespace kalvon {

namespace {

using PieceSpan = std::array<Cell, 4>;

// The cells of a piece record in `orientation`, with its reference cell moved by (dx, dy).
bool cellsOf(const FallingPieceRecord& piece, int orientation, int dx, int dy, PieceSpan& out)
{
    const PieceCells* cells = pieceCells(piece.Type, orientation);
    if (!cells)
        return false;
    for (size_t i = 0; i < out.size(); ++i)
        out[i] = { static_cast<int16_t>(piece.Column + dx + (*cells)[i].dx),
            static_cast<int16_t>(piece.Row + dy + (*cells)[i].dy) };
    return true;
}

bool contains(const PieceSpan& span, Cell cell)
{
    return std::find(span.begin(), span.end(), cell) != span.end();
}

bool onField(Cell c)
{
    return c.column >= 0 && c.column < kFieldColumns && c.row >= 0 && c.row < kFieldRows;
}

// A hard drop ends after this many downward moves: a piece crosses at most 21 rows and lands.
constexpr int kMaxDropPasses = 23;

} // namespace

bool GameEngine::shiftPiece(int p, int orientation, int dx, int dy, bool markAll)
{
    auto& s = m_state;
    FallingPieceRecord& piece = s.FallingPiece[p];
    PieceSpan before, after;
    if (!cellsOf(piece, piece.Orientation, 0, 0, before) || !cellsOf(piece, orientation, dx, dy, after))
        return false;
    for (Cell c : after)
        if (!contains(before, c) && IsCellOccupied(p, c.column, c.row))
            return false;
    for (Cell c : before)
        if (!contains(after, c) && onField(c))
            s.FieldOccupied[p][c.column][c.row] = kCellEmpty;
    const int16_t color = fallingColor(piece.Type);
    for (Cell c : after) {
        if ((markAll || !contains(before, c)) && onField(c)) {
            s.FieldOccupied[p][c.column][c.row] = kCellOccupied;
            s.FieldColor[p][c.column][c.row] = color;
        }
    }
    piece.Orientation = static_cast<int16_t>(orientation);
    piece.Column = static_cast<int16_t>(piece.Column + dx);
    piece.Row = static_cast<int16_t>(piece.Row + dy);
    return true;
}

void GameEngine::MovePieceLeft(int p)
{
    if (playerActs(p) && m_state.PieceInPlay[p])
        shiftPiece(p, m_state.FallingPiece[p].Orientation, -1, 0, false);
}

void GameEngine::MovePieceRight(int p)
{
    if (playerActs(p) && m_state.PieceInPlay[p])
        shiftPiece(p, m_state.FallingPiece[p].Orientation, 1, 0, false);
}

bool GameEngine::blockedBelow(int p) const
{
    const FallingPieceRecord& piece = m_state.FallingPiece[p];
    PieceSpan now, below;
    if (!cellsOf(piece, piece.Orientation, 0, 0, now) || !cellsOf(piece, piece.Orientation, 0, 1, below))
        return false;
    for (Cell c : below)
        if (!contains(now, c) && IsCellOccupied(p, c.column, c.row))
            return true;
    return false;
}

bool GameEngine::MovePieceDown(int p)
{
    auto& s = m_state;
    if (!playerActs(p) || !s.PieceInPlay[p] || !s.GameActive || s.SwitchBusy)
        return false;
    const FallingPieceRecord& piece = s.FallingPiece[p];
    if (!pieceCells(piece.Type, piece.Orientation))
        return false;
    s.PieceLanding[p] = true;
    if (blockedBelow(p)) {
        landPiece(p);
        return true;
    }
    // Every cell of the piece is marked again in its new row.
    shiftPiece(p, piece.Orientation, 0, 1, true);
    s.PieceLanding[p] = false;
    return true;
}

void GameEngine::landPiece(int p)
{
    auto& s = m_state;
    const FallingPieceRecord& piece = s.FallingPiece[p];
    PieceSpan cells;
    if (cellsOf(piece, piece.Orientation, 0, 0, cells)) {
        const auto locked = static_cast<int16_t>(fallingColor(piece.Type) - kFallingCodeOffset);
        for (Cell c : cells)
            if (onField(c))
                s.FieldColor[p][c.column][c.row] = locked;
    }
    s.PieceInPlay[p] = false;
    s.PieceLanding[p] = false;
    LockPieceAndClearLines(p);
}

void GameEngine::HardDrop(int p)
{
    auto& s = m_state;
    if (!playerActs(p) || s.HardDropping[p] || !s.PieceInPlay[p])
        return;
    // A piece that cannot fall now (paused, fields being switched) is not dropped.
    const FallingPieceRecord start = s.FallingPiece[p];
    if (!s.GameActive || s.SwitchBusy || !pieceCells(start.Type, start.Orientation))
        return;
    s.HardDropping[p] = true;
    playSound(SoundSlot::Drop);
    // The drop's points count before the landing, so a landing that ends a one-player game
    // ranks the score the player sees.
    if (p == 1 && s.GameMode == GameMode::OnePlayer) {
        s.Score += 20;
        setCountLabel(LabelId::Score, 1, "", s.Score);
    }
    // The landing clears HardDropping; the last row seen is where the piece came to rest.
    int lastRow = start.Row;
    for (int pass = 0; pass < kMaxDropPasses && s.HardDropping[p]; ++pass) {
        lastRow = s.FallingPiece[p].Row;
        if (!MovePieceDown(p))
            break;
    }
    if (s.Options.dropTrail)
        drawing().UpdateTrail(p, start.Column, start.Row, start.Type, start.Orientation, lastRow);
    s.HardDropping[p] = false;
}

bool GameEngine::IsPieceBlockedBelow(int p) const
{
    if (!playerActs(p) || !m_state.GameActive)
        return false;
    return blockedBelow(p);
}

std::optional<int> GameEngine::GetLandingRow(int p, int column, int startRow) const
{
    if (startRow == kFieldRows - 1)
        return std::nullopt;
    for (int row = startRow + 1; row < kFieldRows; ++row)
        if (IsCellOccupied(p, column, row))
            return row;
    return kFieldRows;
}

ShadowCells GameEngine::shadowCells(int p) const
{
    ShadowCells shadow;
    if (!isPlayer(p))
        return shadow;
    const FallingPieceRecord& piece = m_state.FallingPiece[p];
    PieceSpan cells;
    if (!cellsOf(piece, piece.Orientation, 0, 0, cells))
        return shadow;
    // One cell per covered column, left to right, searched from that column's lowest cell.
    const auto [left, right]
        = std::minmax_element(cells.begin(), cells.end(), [](Cell a, Cell b) { return a.column < b.column; });
    for (int column = left->column; column <= right->column; ++column) {
        std::optional<int> lowest;
        for (Cell c : cells)
            if (c.column == column)
                lowest = std::max<int>(lowest.value_or(c.row), c.row);
        if (lowest)
            shadow.cells[static_cast<size_t>(shadow.count++)] = { column, GetLandingRow(p, column, *lowest) };
    }
    return shadow;
}

void GameEngine::DrawPieceShadow(int p)
{
    if (!m_state.Options.shadows || !isPlayer(p) || m_state.HardDropping[p])
        return;
    const ShadowCells shadow = shadowCells(p);
    for (int i = 0; i < shadow.count; ++i) {
        const ShadowCell& cell = shadow.cells[static_cast<size_t>(i)];
        drawing().DrawShadow(p, cell.column, cell.landingRow.value_or(0));
    }
}

} // namespace kalvon
