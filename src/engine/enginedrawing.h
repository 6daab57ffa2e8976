#pragma once
// The drawing the game asks for: the local fields and the windows beside them. The renderer
// implements it; the engine's host hands it to the engine, and the game tick draws through the
// same. Players are 1 and 2 (3 the theme page's preview field).

#include "engine/types.h"

#include <array>
#include <cstdint>

namespace kalvon {

// The rows a four-line clear removed, top row first, with their cell codes as they were: the
// explosion is drawn from this copy, since the field no longer holds them.
struct ClearedRows {
    int count = 0;
    std::array<int16_t, 4> rows{};
    std::array<std::array<int16_t, kFieldColumns>, 4> colors{};
};

class EngineDrawing {
public:
    virtual ~EngineDrawing() = default;

    // Redraws a local field from the game state.
    virtual void DrawField(int p) = 0;
    // Paints the bare field background.
    virtual void PaintFieldBackground(int p) = 0;
    // Hands the drawing library the field's cells.
    virtual void UpdateFieldBlocks(int p) = 0;
    // The trail timer of the field is reset, so the next field draw is not skipped.
    virtual void ResetTrailLastDrawTime(int p) = 0;
    // One shadow cell in `column`, drawn in the row above `landingRow` (0 when the column has no
    // landing row, which puts the cell above the field).
    virtual void DrawShadow(int p, int column, int landingRow) = 0;
    // The trail of a hard drop from (column, startRow) to endRow of a piece of that shape.
    virtual void UpdateTrail(int p, int column, int startRow, int type, int orientation, int endRow) = 0;
    // The four-line explosion over the removed rows; may wait while it runs.
    virtual void AnimateLineExplosion(int p, const ClearedRows& rows) = 0;
    // The special window is handed the player's inventory, and redrawn.
    virtual void UpdateSpecialsWindow(int p) = 0;
    virtual void DrawSpecialWindow(int p) = 0;
    virtual void DrawNextPiece(int p) = 0;

    // Flash Screen: the field picture is given the window's picture and its drawing cleared.
    virtual void ResetFieldPicture(int p) = 0;
    // A bomb animation in `slot` (0..9) whose 4 x 4-cell square starts at cell (column, row);
    // either may be -2.
    virtual void BombCreate(int p, int column, int row, int slot) = 0;
    // The bomb animation of a slot shows its 1-based frame, or ends.
    virtual void BombFrame(int p, int slot, int frame) = 0;
    virtual void BombKill(int p, int slot) = 0;
    // The field picture cleared, and (after the field was drawn) shown at once.
    virtual void ClearFieldPicture(int p) = 0;
    virtual void RefreshField(int p) = 0;
    // One frame of the field doors: the field background, then each door showing `width`
    // pixels (0..192) from its own edge, shown at once.
    virtual void DrawDoorFrame(int p, int width) = 0;
    virtual void DrawHeightLed(int p) = 0;
    // The height LED picture cleared (a local game starts).
    virtual void ClearHeightLed(int p) = 0;
    virtual void ClearTrails() = 0;
    // The blocks' animation frame goes back to its still frame.
    virtual void ResetBlockFrame() = 0;
    // The field is shaking (Tremor, Block Quake), or was at its last draw: the tick redraws it.
    virtual bool fieldShaking(int) const { return false; }
};

// Drawing that draws nothing, for a host that has not been given the renderer (yet).
class NoDrawing final : public EngineDrawing {
public:
    void DrawField(int) override { }
    void PaintFieldBackground(int) override { }
    void UpdateFieldBlocks(int) override { }
    void ResetTrailLastDrawTime(int) override { }
    void DrawShadow(int, int, int) override { }
    void UpdateTrail(int, int, int, int, int, int) override { }
    void AnimateLineExplosion(int, const ClearedRows&) override { }
    void UpdateSpecialsWindow(int) override { }
    void DrawSpecialWindow(int) override { }
    void DrawNextPiece(int) override { }
    void ResetFieldPicture(int) override { }
    void BombCreate(int, int, int, int) override { }
    void BombFrame(int, int, int) override { }
    void BombKill(int, int) override { }
    void ClearFieldPicture(int) override { }
    void RefreshField(int) override { }
    void DrawDoorFrame(int, int) override { }
    void DrawHeightLed(int) override { }
    void ClearHeightLed(int) override { }
    void ClearTrails() override { }
    void ResetBlockFrame() override { }
};

} // namespace kalvon
