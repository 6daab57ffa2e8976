// The field: the cell test every move uses, the spawn of a new piece, emptying a field, and the
// row queries of the line clear and the danger warning.

#include "engine/gameengine.h"
#include "engine/shapes.h"

namespace kalvon {

namespace {
bool onField(int column, int row)
{
    return column >= 0 && column < kFieldColumns && row >= 0 && row < kFieldRows;
}
} // namespace

bool GameEngine::IsCellOccupied(int p, int column, int row) const
{
    if (p < 1 || p > kLocalFields || !onField(column, row))
        return true;
    return m_state.FieldOccupied[p][column][row] == kCellOccupied;
}

void GameEngine::SpawnPiece(int p, int type, int column, int row)
{
    auto& s = m_state;
    if (!playerActs(p))
        return;
    if (s.PieceInPlay[p] || s.PieceLanding[p] || s.SwitchBusy)
        return;
    // tblock and sblock reach one row above their reference cell.
    const int referenceRow
        = (type == int(PieceType::TBlock) || type == int(PieceType::SBlock)) ? row + 1 : row;
    if (const PieceCells* cells = pieceCells(type, 1)) {
        for (const CellOffset& c : *cells) {
            if (IsCellOccupied(p, column + c.dx, referenceRow + c.dy)) {
                PlayerLost(p);
                return;
            }
        }
        for (const CellOffset& c : *cells) {
            s.FieldOccupied[p][column + c.dx][referenceRow + c.dy] = kCellOccupied;
            s.FieldColor[p][column + c.dx][referenceRow + c.dy] = fallingColor(type);
        }
    }
    s.PieceInPlay[p] = true;
    s.FallingPiece[p]
        = { static_cast<int16_t>(type), 1, static_cast<int16_t>(column), static_cast<int16_t>(referenceRow) };
    drawing().DrawField(p);
}

void GameEngine::RedrawField(int p)
{
    if (p < 1 || p > kLocalFields)
        return;
    for (auto& column : m_state.FieldOccupied[p])
        column.fill(kCellEmpty);
    if (p == 1)
        m_host.ResetSentField();
    drawing().ResetTrailLastDrawTime(p);
    drawing().PaintFieldBackground(p);
}

int GameEngine::CountRowCells(int p, int y) const
{
    if (p < 1 || p > kLocalFields || y < 0 || y >= kFieldRows)
        return 0;
    int count = 0;
    for (int x = 0; x < kFieldColumns; ++x)
        count += m_state.FieldOccupied[p][x][y] == kCellOccupied;
    return count;
}

bool GameEngine::HasBlocksInTopRows(int p) const
{
    if (p < 1 || p > kLocalFields)
        return false;
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < kFieldColumns; ++x)
            if (m_state.FieldOccupied[p][x][y] == kCellOccupied
                && m_state.FieldColor[p][x][y] < kFallingCodeOffset)
                return true;
    return false;
}

} // namespace kalvon
