// Turning the falling piece in place. There are no wall or floor kicks: a turn either fits
// exactly where the turn table puts the piece or does not happen.

#include "engine/gameengine.h"
#include "engine/shapes.h"

namespace kalvon {

void GameEngine::RotatePiece(int p, int direction)
{
    if (!playerActs(p) || !m_state.PieceInPlay[p])
        return;
    const FallingPieceRecord& piece = m_state.FallingPiece[p];
    const std::optional<PieceTurn> turn = pieceTurn(piece.Type, piece.Orientation, direction);
    if (turn && shiftPiece(p, turn->orientation, turn->dx, turn->dy, false))
        playSound(SoundSlot::Rotate);
}

} // namespace kalvon
