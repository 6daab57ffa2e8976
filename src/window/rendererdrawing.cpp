#include "window/rendererdrawing.h"

#include "render/drawinglibrary.h"
#include "render/gamerenderer.h"
#include "render/windowpictures.h"

namespace kalvon {

RendererDrawing::RendererDrawing(GameRenderer& renderer, DrawingLibrary& library, WindowPictures& pictures)
    : m_renderer(renderer)
    , m_library(library)
    , m_pictures(pictures)
{
}

void RendererDrawing::DrawField(int p)
{
    m_renderer.DrawField(p);
}
void RendererDrawing::PaintFieldBackground(int p)
{
    m_renderer.PaintFieldBackground(p);
}
void RendererDrawing::UpdateFieldBlocks(int p)
{
    m_renderer.UpdateFieldBlocks(p);
}
void RendererDrawing::ResetTrailLastDrawTime(int p)
{
    m_renderer.ResetTrailLastDrawTime(p);
}
void RendererDrawing::DrawShadow(int p, int column, int landingRow)
{
    m_renderer.DrawShadow(p, column, landingRow);
}

void RendererDrawing::UpdateTrail(int p, int column, int startRow, int type, int orientation, int endRow)
{
    m_renderer.UpdateTrail(p, column, startRow, type, orientation, endRow);
}

void RendererDrawing::AnimateLineExplosion(int p, const ClearedRows& rows)
{
    m_renderer.AnimateLineExplosion(p, rows);
}
void RendererDrawing::UpdateSpecialsWindow(int p)
{
    m_renderer.UpdateSpecialsWindow(p);
}
void RendererDrawing::DrawSpecialWindow(int p)
{
    m_renderer.DrawSpecialWindow(p);
}
void RendererDrawing::DrawNextPiece(int p)
{
    m_renderer.DrawNextPiece(p);
}
void RendererDrawing::ResetFieldPicture(int p)
{
    m_renderer.ResetFieldPicture(p);
}
void RendererDrawing::BombCreate(int p, int column, int row, int slot)
{
    m_renderer.BombCreate(p, column, row, slot);
}
void RendererDrawing::ClearFieldPicture(int p)
{
    m_renderer.ClearFieldPicture(p);
}
void RendererDrawing::RefreshField(int p)
{
    m_renderer.RefreshField(p);
}
void RendererDrawing::DrawDoorFrame(int p, int width)
{
    m_renderer.DrawDoorFrame(p, width);
}
void RendererDrawing::DrawHeightLed(int p)
{
    m_renderer.DrawHeightLed(p);
}
void RendererDrawing::ClearTrails()
{
    m_renderer.ClearTrails();
}
void RendererDrawing::ResetBlockFrame()
{
    m_renderer.ResetBlockFrame();
}

void RendererDrawing::ClearHeightLed(int p)
{
    if (p != 1 && p != 2)
        return;
    PictureBox& led = m_pictures.picLeds[size_t(p)];
    led.clear();
    led.refresh();
}

void RendererDrawing::KalvonBombFrame(int p, int slot, int frame)
{
    m_library.KalvonBombFrame(p, slot, frame);
}
void RendererDrawing::KalvonBombKill(int p, int slot)
{
    m_library.KalvonBombKill(p, slot);
}

} // namespace kalvon
