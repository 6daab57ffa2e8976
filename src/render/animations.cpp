// The animations that run in the foreground: the line explosion, the doors over a field (the
// game's frames and the theme page's tests), the small internet door, and the theme page's
// test explosion and bomb.

#include "engine/gameengine.h"
#include "platform/eventpump.h"
#include "render/blocktiles.h"
#include "render/gamerenderer.h"
#include "render/previewpictures.h"
#include "render/renderhooks.h"
#include "render/sheetframes.h"
#include "render/themerecord.h"
#include "render/windowpictures.h"

#include <algorithm>

namespace kalvon {

namespace {

constexpr int kExplosionHeight = 64;
constexpr int64_t kMaxExplosionDelayMs = 1000;

// The field doors move 8 pixels a step over the 192-pixel field.
constexpr int kDoorSteps = 24;
constexpr int kDoorStep = 8;

// The small internet door: halves meeting at row 90, 4 pixels a door row.
constexpr int kDoorSeam = 90;
constexpr int kDoorRows = 22;
constexpr int64_t kInternetCloseWaitMs = 30;
constexpr int64_t kInternetOpenWaitMs = 50;

// The preview's test explosion is drawn over the field's bottom rows, 40 ms a frame.
constexpr int kPreviewExplosionTop = 288;
constexpr int64_t kPreviewExplosionWaitMs = 40;

// The test bomb: player 3, slot 1, at cell (4, 4).
constexpr int kPreviewField = 3;
constexpr int kPreviewBombSlot = 1;
constexpr int16_t kPreviewBombCell = 4;

} // namespace

void drawInternetDoor(Surface& board, const Surface& door, int row)
{
    const int upper = 4 * row + 2;
    if (upper > 0)
        board.bitBlt(0, 0, kBoardPictureWidth, upper, door, 0, kDoorSeam - upper);
    const int lower = 4 * row - 2;
    if (lower > 0)
        board.bitBlt(0, 2 * kDoorSeam - 2 - 4 * row, kBoardPictureWidth, lower, door, 0, kDoorSeam);
}

GameRenderer::DoorSheets GameRenderer::themeDoors() const
{
    const ThemeImages& images = m_context.images;
    return { images.door1, images.door1Mask, images.door2, images.door2Mask };
}

GameRenderer::DoorSheets GameRenderer::previewDoors() const
{
    const PreviewPictures& preview = m_context.preview;
    return { preview.picDoor, preview.picDoorMask, preview.picDoor2, preview.picDoorMask2 };
}

bool GameRenderer::previewDoorsKept(const DoorSheets& doors) const
{
    const DoorSheets now = previewDoors();
    return doors.left == now.left && doors.leftMask == now.leftMask && doors.right == now.right
        && doors.rightMask == now.rightMask;
}

void GameRenderer::drawDoors(Surface& dc, int width, const DoorSheets& doors)
{
    if (width <= 0)
        return;
    // Each door shows its inner `width` pixels from its own edge.
    if (doors.left && doors.leftMask)
        dc.drawMasked(
            0, 0, width, kFieldPictureHeight, *doors.left, *doors.leftMask, kFieldPictureWidth - width, 0);
    if (doors.right && doors.rightMask)
        dc.drawMasked(
            kFieldPictureWidth - width, 0, width, kFieldPictureHeight, *doors.right, *doors.rightMask, 0, 0);
}

void GameRenderer::DrawDoorFrame(int p, int width)
{
    if (!isField(p) || drawingPaused())
        return;
    field(p).clear();
    PaintFieldBackground(p);
    drawDoors(field(p).canvas(), std::clamp(width, 0, kFieldPictureWidth), themeDoors());
    field(p).refresh();
}

void GameRenderer::AnimateLineExplosion(int p, const ClearedRows& rows)
{
    if (rows.count > 0)
        AnimateLineExplosion(p, rows.rows[0]);
}

void GameRenderer::AnimateLineExplosion(int p, int row)
{
    if (!isPlayer(p))
        return;
    ThemeImages& images = m_context.images;
    const ThemeRecord& t = theme();
    // What the animation draws from is fixed at its start; a theme change while it waits ends
    // the drawing.
    const Sheet strip = images.explode;
    const Sheet mask = images.explodeMask;
    const bool transparent = t.explodetransparency;
    const int frames = strip ? std::min<int>(clampFrameCount(t.explodeframecount, kExplodeFrames),
                           framesInSheet(*strip, kExplosionHeight))
                             : 0;
    const int64_t delay = std::clamp<int64_t>(t.explodedelaybetweenframes, 0, kMaxExplosionDelayMs);
    const int y = row * kTileSize;

    m_context.engine.setExplosionRunning(p, true);
    m_context.hooks.PlaySoundFile(m_context.themes.ThemeSounds[size_t(ThemeSound::Explode)]);
    for (int i = 1; i <= frames; ++i) {
        const bool released = images.rebuilding || images.explode != strip
            || (transparent && (!mask || images.explodeMask != mask));
        if (released)
            break;
        Surface& dc = field(p).canvas();
        if (transparent)
            dc.drawMasked(
                0, y, kFieldPictureWidth, kExplosionHeight, *strip, *mask, 0, (i - 1) * kExplosionHeight);
        else
            dc.bitBlt(0, y, kFieldPictureWidth, kExplosionHeight, *strip, 0, (i - 1) * kExplosionHeight);
        field(p).refresh();
        m_context.pump.Wait(delay);
    }
    m_context.engine.setExplosionRunning(p, false);
}

void GameRenderer::PreviewExplode()
{
    PreviewPictures& preview = m_context.preview;
    const Sheet strip = preview.picExplosion;
    const Sheet mask = preview.picMExplode;
    const int frames = clampFrameCount(m_context.themes.PreviewTheme.explodeframecount, kExplodeFrames);

    m_context.engine.setExplosionRunning(kPreviewField, true);
    m_context.hooks.PlaySoundFile(m_context.themes.PreviewSounds[size_t(ThemeSound::Explode)]);
    for (int i = 1; i <= frames; ++i) {
        m_context.pump.Yield();
        m_context.hooks.GenerateThemePreview(kPreviewField);
        m_context.pump.Wait(kPreviewExplosionWaitMs);
        const bool released = !strip || !mask || preview.picExplosion != strip || preview.picMExplode != mask;
        if (released || !frameInSheet(*strip, i - 1, kExplosionHeight))
            break;
        field(kPreviewField)
            .canvas()
            .drawMasked(0, kPreviewExplosionTop, kFieldPictureWidth, kExplosionHeight, *strip, *mask, 0,
                (i - 1) * kExplosionHeight);
        field(kPreviewField).refresh();
    }
    m_context.engine.setExplosionRunning(kPreviewField, false);
}

void GameRenderer::StartPreviewBomb()
{
    m_context.engine.startBombSlot(kPreviewField, kPreviewBombSlot, kPreviewBombCell, kPreviewBombCell);
}

void GameRenderer::AnimateCloseDoor()
{
    if (!m_context.engine.beginDoorClose(kPreviewField))
        return;
    const DoorSheets doors = previewDoors();
    for (int i = 1; i <= kDoorSteps; ++i) {
        m_context.pump.Yield();
        if (!previewDoorsKept(doors))
            break;
        drawDoors(field(kPreviewField).canvas(), kDoorStep * i, doors);
        field(kPreviewField).refresh();
    }
    m_context.engine.doorClosed(kPreviewField);
}

void GameRenderer::AnimateOpenDoor()
{
    if (!m_context.engine.beginDoorOpen(kPreviewField))
        return;
    const DoorSheets doors = previewDoors();
    // Paced only by drawing: nothing runs in between.
    for (int i = 1; i <= kDoorSteps; ++i) {
        DrawFieldBackgroundFrame();
        drawDoors(field(kPreviewField).canvas(), kDoorStep * (kDoorSteps - i), doors);
        field(kPreviewField).refresh();
    }
    m_context.engine.doorOpened(kPreviewField);
}

void GameRenderer::AnimateInternetCloseDoor()
{
    PreviewPictures& preview = m_context.preview;
    if (!preview.InetDoorOpen || preview.InetDoorClosing)
        return;
    preview.InetDoorClosing = true;
    const Sheet door = preview.picInetDoor;
    PictureBox& board = m_context.pictures.picInetPreview;
    for (int row = 0; row <= kDoorRows; ++row) {
        m_context.pump.Yield();
        if (!door || preview.picInetDoor != door)
            break;
        DrawInternetBackground();
        drawInternetDoor(board.canvas(), *door, row);
        board.refresh();
        m_context.pump.Wait(kInternetCloseWaitMs);
    }
    preview.InetDoorClosing = false;
    preview.InetDoorOpen = false;
}

void GameRenderer::AnimateInternetOpenDoor()
{
    PreviewPictures& preview = m_context.preview;
    if (preview.InetDoorOpen || preview.InetDoorOpening)
        return;
    preview.InetDoorOpen = true;
    preview.InetDoorOpening = true;
    const Sheet door = preview.picInetDoor;
    PictureBox& board = m_context.pictures.picInetPreview;
    // One step more than the closing: the last leaves the background alone.
    for (int step = 0; step <= kDoorRows + 1; ++step) {
        m_context.pump.Yield();
        if (!door || preview.picInetDoor != door)
            break;
        DrawInternetBackground();
        drawInternetDoor(board.canvas(), *door, kDoorRows - step);
        board.refresh();
        m_context.pump.Wait(kInternetOpenWaitMs);
    }
    preview.InetDoorOpening = false;
}

} // namespace kalvon
