#include "soakbot.h"

#include "engine/types.h"
#include "game/kalvonbot.h"

namespace kalvon::testing {

namespace {
constexpr int kMaxMoves = 30; // then the piece is dropped where it is
constexpr uint32_t kSpecialChance = 150; // one tick in this many with a special at hand
} // namespace

uint32_t SoakBot::next(uint32_t range)
{
    m_random = m_random * 1664525u + 1013904223u;
    return (m_random >> 8) % range;
}

void SoakBot::choose(const EngineState& s)
{
    // The lowest stack, counting only locked cells (the falling piece's codes are 90 and up).
    int best = kFieldRows + 1;
    for (int x = 0; x < kFieldColumns; ++x) {
        int height = 0;
        for (int y = 0; y < kFieldRows && height == 0; ++y) {
            if (s.FieldOccupied[1][x][y] != kCellEmpty && s.FieldColor[1][x][y] < kFallingCodeOffset)
                height = kFieldRows - y;
        }
        if (height < best || (height == best && next(2) == 0)) {
            best = height;
            m_column = x;
        }
    }
    m_orientation = static_cast<int>(next(4)) + 1;
    m_moves = 0;
}

int16_t SoakBot::think(const EngineState& s)
{
    if (!s.GameActive || !s.PieceInPlay[1]) {
        m_hadPiece = false;
        return 0;
    }
    const FallingPieceRecord& piece = s.FallingPiece[1];
    if (!m_hadPiece || piece.Row < m_last.Row || piece.Type != m_last.Type)
        choose(s);
    m_hadPiece = true;
    m_last = piece;
    if (++m_moves > kMaxMoves)
        return KALVONBOT_DROP;
    if (piece.Orientation != m_orientation)
        return KALVONBOT_ROTATE;
    if (piece.Column != m_column)
        return piece.Column < m_column ? KALVONBOT_RIGHT : KALVONBOT_LEFT;
    return KALVONBOT_DROP;
}

int SoakBot::specialTarget(const EngineState& s)
{
    if (!s.GameActive || s.lstSpecials[1].empty() || next(kSpecialChance) != 0)
        return 0;
    return static_cast<int>(next(kPlayingSlots)) + 1;
}

} // namespace kalvon::testing
