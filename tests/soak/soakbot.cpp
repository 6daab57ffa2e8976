#include "soakbot.h"

#include "engine/shapes.h"
#include "engine/types.h"
#include "game/kalvonbot.h"

#include <optional>

namespace kalvon::testing {

namespace {
constexpr int kMaxMoves = 30; // then the piece is dropped where it is
constexpr uint32_t kSpecialChance = 30; // one tick in this many with a special at hand
} // namespace

uint32_t SoakBot::next(uint32_t range)
{
    m_random = m_random * 1664525u + 1013904223u;
    return (m_random >> 8) % range;
}

namespace {

bool locked(const EngineState& s, int x, int y)
{
    return s.FieldOccupied[1][x][y] != kCellEmpty && s.FieldColor[1][x][y] < kFallingCodeOffset;
}

bool fits(const EngineState& s, const PieceCells& cells, int column, int row)
{
    for (const CellOffset& c : cells) {
        const int x = column + c.dx;
        const int y = row + c.dy;
        if (x < 0 || x >= kFieldColumns || y >= kFieldRows || (y >= 0 && locked(s, x, y)))
            return false;
    }
    return true;
}

// How good it is to drop the piece here: rows it completes, then how low it lies, less the
// holes it covers. Nothing when it does not fit from the top.
std::optional<int> placementScore(const EngineState& s, const PieceCells& cells, int column)
{
    if (!fits(s, cells, column, 0))
        return std::nullopt;
    int row = 0;
    while (fits(s, cells, column, row + 1))
        ++row;
    int score = 0;
    for (const CellOffset& c : cells) {
        const int x = column + c.dx;
        const int y = row + c.dy;
        score += y;
        if (y + 1 < kFieldRows && !locked(s, x, y + 1)) {
            bool ownCellBelow = false;
            for (const CellOffset& o : cells)
                ownCellBelow = ownCellBelow || (o.dx == c.dx && o.dy == c.dy + 1);
            score -= ownCellBelow ? 0 : 8;
        }
    }
    for (int y = 0; y < kFieldRows; ++y) {
        int filled = 0;
        for (int x = 0; x < kFieldColumns; ++x) {
            bool piece = false;
            for (const CellOffset& c : cells)
                piece = piece || (column + c.dx == x && row + c.dy == y);
            filled += piece || locked(s, x, y);
        }
        score += filled == kFieldColumns ? 40 : 0;
    }
    return score;
}

} // namespace

void SoakBot::choose(const EngineState& s)
{
    // The best placement, ties and one piece in eight left to chance.
    const FallingPieceRecord& piece = s.FallingPiece[1];
    std::optional<int> best;
    m_column = piece.Column;
    m_orientation = piece.Orientation;
    const bool anywhere = next(8) == 0;
    for (int orientation = 1; orientation <= 4; ++orientation) {
        const PieceCells* cells = pieceCells(piece.Type, orientation);
        for (int column = 0; cells && column < kFieldColumns; ++column) {
            std::optional<int> score = placementScore(s, *cells, column);
            if (score && anywhere)
                score = static_cast<int>(next(100));
            if (score && (!best || *score > *best || (*score == *best && next(2) == 0))) {
                best = score;
                m_column = column;
                m_orientation = orientation;
            }
        }
    }
    m_moves = 0;
}

int16_t SoakBot::think(const EngineState& s)
{
    if (!s.GameActive || !s.PieceInPlay[1]) {
        m_hadPiece = false;
        return 0;
    }
    const FallingPieceRecord& piece = s.FallingPiece[1];
    // After a drop the piece in play is the next one, wherever it is; a piece that locked on
    // its own is followed by one far above it (a turn moves the reference row by a row or two).
    if (!m_hadPiece || m_dropped || piece.Type != m_last.Type || piece.Row + 2 < m_last.Row)
        choose(s);
    m_hadPiece = true;
    m_last = piece;
    m_dropped = false;
    if (piece.Orientation != m_orientation && m_moves < kMaxMoves)
        return ++m_moves, KALVONBOT_ROTATE;
    if (piece.Column != m_column && m_moves < kMaxMoves)
        return ++m_moves, piece.Column < m_column ? KALVONBOT_RIGHT : KALVONBOT_LEFT;
    m_dropped = true;
    return KALVONBOT_DROP;
}

int SoakBot::specialTarget(const EngineState& s)
{
    if (!s.GameActive || s.lstSpecials[1].empty() || next(kSpecialChance) != 0)
        return 0;
    return static_cast<int>(next(kPlayingSlots)) + 1;
}

} // namespace kalvon::testing
