#pragma once
// The drawing the running game asks for: the local fields and what sits beside them, as the
// engine and the game tick call it. The field renderer implements it; tests record the calls.
// Players are 1 and 2 (3 the theme page's preview field where the engine says so).

#include "engine/enginehost.h"

namespace kalvon {

class GameDrawing {
public:
    virtual ~GameDrawing() = default;

    // --- the engine's drawing (see EngineHost) ---
    virtual void DrawField(int p) = 0;
    virtual void PaintFieldBackground(int p) = 0;
    virtual void UpdateFieldBlocks(int p) = 0;
    virtual void ResetTrailLastDrawTime(int p) = 0;
    virtual void DrawShadow(int p, int column, int landingRow) = 0;
    virtual void UpdateTrail(int p, int column, int startRow, int type, int orientation, int endRow) = 0;
    virtual void AnimateLineExplosion(int p, const ClearedRows& rows) = 0;
    virtual void UpdateSpecialsWindow(int p) = 0;
    virtual void DrawSpecialWindow(int p) = 0;
    virtual void DrawNextPiece(int p) = 0;

    virtual void ResetFieldPicture(int p) = 0;
    virtual void BombCreate(int p, int column, int row, int slot) = 0;
    virtual void ClearFieldPicture(int p) = 0;
    virtual void RefreshField(int p) = 0;
    virtual void DrawDoorFrame(int p, int width) = 0;
    virtual void DrawHeightLed(int p) = 0;
    virtual void ClearTrails() = 0;
    virtual void ResetBlockFrame() = 0;

    // --- the window's and the tick's ---
    // picLeds(p) cleared (game start).
    virtual void ClearHeightLed(int p) = 0;
    // The bomb animation of a slot (0..9) shows its 1-based frame, or ends.
    virtual void KalvonBombFrame(int p, int slot, int frame) = 0;
    virtual void KalvonBombKill(int p, int slot) = 0;
};

} // namespace kalvon
