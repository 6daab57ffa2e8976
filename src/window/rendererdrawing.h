#pragma once
// The game's drawing on the renderer: the engine's and the tick's drawing calls go to the game
// renderer, the bomb frames to the drawing library, and clearing a height LED to its picture.

#include "window/gamedrawing.h"

namespace kalvon {

class DrawingLibrary;
class GameRenderer;
struct WindowPictures;

class RendererDrawing final : public GameDrawing {
public:
    RendererDrawing(GameRenderer& renderer, DrawingLibrary& library, WindowPictures& pictures);

    void DrawField(int p) override;
    void PaintFieldBackground(int p) override;
    void UpdateFieldBlocks(int p) override;
    void ResetTrailLastDrawTime(int p) override;
    void DrawShadow(int p, int column, int landingRow) override;
    void UpdateTrail(int p, int column, int startRow, int type, int orientation, int endRow) override;
    void AnimateLineExplosion(int p, const ClearedRows& rows) override;
    void UpdateSpecialsWindow(int p) override;
    void DrawSpecialWindow(int p) override;
    void DrawNextPiece(int p) override;
    void ResetFieldPicture(int p) override;
    void BombCreate(int p, int column, int row, int slot) override;
    void ClearFieldPicture(int p) override;
    void RefreshField(int p) override;
    void DrawDoorFrame(int p, int width) override;
    void DrawHeightLed(int p) override;
    void ClearTrails() override;
    void ResetBlockFrame() override;
    void ClearHeightLed(int p) override;
    void KalvonBombFrame(int p, int slot, int frame) override;
    void KalvonBombKill(int p, int slot) override;

private:
    GameRenderer& m_renderer;
    DrawingLibrary& m_library;
    WindowPictures& m_pictures;
};

} // namespace kalvon
