// The next-piece and special windows beside each local field.

#include "engine/gameengine.h"
#include "render/drawinglibrary.h"
#include "render/drawoptions.h"
#include "render/gamerenderer.h"
#include "render/sheetframes.h"
#include "render/themerecord.h"
#include "render/windowpictures.h"

#include <algorithm>

namespace kalvon {

namespace {

constexpr int kNextWindowSize = 77;
// A type-0 skin's next-piece picture.
constexpr int kSkinNextLeft = 192;
constexpr int kSkinNextTop = 256;
// A byte that names no tile, for an inventory entry that is no byte.
constexpr int kNoTileByte = 255;

} // namespace

void GameRenderer::DrawNextPiece(int p)
{
    if (!isPlayer(p) || drawingPaused() || state().FieldExplodeRunning[p])
        return;
    PictureBox& box = m_context.pictures.picNextPiece[size_t(p)];
    box.clear();
    Surface& dc = box.canvas();
    const ThemeRecord& t = theme();
    const ThemeImages& images = m_context.images;
    DrawingLibrary& library = m_context.library;
    const int piece = state().NextPiece[p];

    if (t.themetype == 1) {
        int frame = t.nextblkreverseanimation ? t.nextblkframecount + 1 - t.nextblkcurrentframe
                                              : t.nextblkcurrentframe;
        if (!t.nextblkanimated || !m_context.options.animateNextPiece)
            frame = t.nextblkstillframe;
        if (images.nextPiece && frameInSheet(*images.nextPiece, frame - 1, kNextWindowSize))
            dc.bitBlt(
                0, 0, kNextWindowSize, kNextWindowSize, *images.nextPiece, 0, kNextWindowSize * (frame - 1));
    } else if (t.themetype == 0 && t.nextblockpic && images.skin) {
        dc.bitBlt(0, 0, kNextWindowSize, kNextWindowSize, *images.skin, kSkinNextLeft, kSkinNextTop);
    }

    if (t.themetype == 0) {
        if (t.blktransparency)
            library.KalvonBasicNextBlockTransparent(dc, images.skin.get(), images.blocksMask.get(), piece);
        else
            library.KalvonBasicNextBlock(dc, images.skin.get(), piece);
    } else {
        const bool animate = m_context.options.animateBlocks && t.animateblocks;
        const int frame = (animate ? t.blkcurrentframe : t.blkstillframe) - 1;
        if (t.blktransparency)
            library.KalvonNextBlockTransparent(
                dc, images.blocks.get(), images.blocksMask.get(), piece, frame);
        else
            library.KalvonNextBlock(dc, images.blocks.get(), piece, frame);
    }
    box.refresh();
}

void GameRenderer::UpdateSpecialsWindow(int p)
{
    if (!isPlayer(p))
        return;
    const std::vector<int16_t>& items = state().lstSpecials[p];
    const size_t count = std::min<size_t>(items.size(), DrawingLibrary::kInventorySize);
    Bytes text;
    for (size_t i = 0; i < count; ++i) {
        const int code = items[items.size() - 1 - i];
        text += byteChar(code >= 0 && code <= 255 ? code : kNoTileByte);
    }
    m_context.library.KalvonUpdateSpecials(text, p);
}

void GameRenderer::DrawSpecialWindow(int p)
{
    if (!isPlayer(p) || drawingPaused())
        return;
    PictureBox& box = m_context.pictures.picSpecials[size_t(p)];
    box.clear();
    const ThemeRecord& t = theme();
    const ThemeImages& images = m_context.images;
    const Surface* mask = t.blktransparency ? images.blocksMask.get() : nullptr;
    if (t.themetype == 1)
        m_context.library.KalvonSpecialWindowDraw(box.canvas(), images.specialWindow.get(),
            images.blocks.get(), mask, p, t.specialwindowcurrentframe - 1);
    else
        m_context.library.KalvonBasicSpecialWindowDraw(
            box.canvas(), images.specialWindow.get(), images.skin.get(), mask, p);
    box.refresh();
}

} // namespace kalvon
