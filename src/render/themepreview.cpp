#include "render/themepreview.h"

#include "common/clock.h"
#include "engine/gameengine.h"
#include "render/blocktiles.h"
#include "render/gamerenderer.h"
#include "render/previewpictures.h"
#include "render/sheetloaders.h"
#include "render/themerecord.h"
#include "render/windowpictures.h"

namespace kalvon {

namespace {

constexpr int kPreviewField = 3;

// The test bomb: slot 1, frames 0 to 16 at 20 ms each, whatever the theme's frame count.
constexpr int kPreviewBombSlot = 1;
constexpr int64_t kPreviewBombDelayMs = 20;
constexpr int kPreviewBombLastFrame = 16;
constexpr int kBombSize = 64;

// 24 block tiles in rows of 6 (the normal blocks, then three rows of specials) and 24 internet
// cells in rows of 12 (the first six normal).
constexpr int kSampleTiles = 24;
constexpr int kTilesPerRow = 6;
constexpr int kCellsPerRow = 12;
constexpr int kNormalCells = 6;
constexpr int kLargeTile = kTileSize;
constexpr int kSmallTile = kSmallTileSize;
constexpr int kSmallTilesTop = 64; // in a block frame
// A type-0 skin's tiles and windows.
constexpr int kSkinTilesLeft = 192;
constexpr int kSkinLargeTilesTop = 176;
constexpr int kSkinSmallTilesTop = 240;
constexpr int kSkinSpecialWindowLeft = 288;

constexpr int kNextWindowSize = 77;
constexpr int kSpecialWindowWidth = 160;
constexpr int kSpecialWindowHeight = 16;

bool due(int64_t now, int64_t lastStep, int64_t delay)
{
    return now - lastStep >= delay;
}

// One step of an animated set: the next frame, back to 1 after the last.
void frameStep(int16_t& current, int16_t count, int64_t& lastStep, int64_t now)
{
    lastStep = now;
    current = current >= count ? int16_t(1) : int16_t(current + 1);
}

// A copy, or with `mask` a masked draw (a missing mask draws nothing).
void drawTile(Surface& dc, int x, int y, int size, const Surface& source, const Surface* mask, bool masked,
    int sx, int sy)
{
    if (!masked)
        dc.bitBlt(x, y, size, size, source, sx, sy);
    else if (mask)
        dc.drawMasked(x, y, size, size, source, *mask, sx, sy);
}

} // namespace

ThemePreview::ThemePreview(const ThemePreviewContext& context)
    : m(context)
{
}

void ThemePreview::loadpreview(ThemeWindow& window, const std::filesystem::path& programDir)
{
    ThemeRecord& theme = m.themes.PreviewTheme;
    ThemeImages sheets;
    SheetLoading loading{ sheets, theme, window, programDir };
    LoadDoorImages(loading);
    LoadMiscImages(loading);
    if (theme.themetype == 0) {
        LoadSkinImage(loading);
    } else if (theme.themetype == 1) {
        LoadBackgroundFrames(loading);
        LoadBlockFrames(loading);
        theme.blkcurrentframe = theme.blkstartingframe;
        LoadInternetBackgroundFrames(loading);
        LoadNextPieceFrames(loading);
        // The next-piece window starts at its starting frame too, so its first picture is one.
        theme.nextblkcurrentframe = theme.nextblkstartingframe;
        LoadSpecialWindowFrames(loading);
    }
    LoadExplodeFrames(loading);
    LoadBombFrames(loading);

    PreviewPictures& preview = m.preview;
    preview.releasePictures();
    if (sheets.background) {
        const int frames = clampFrameCount(theme.bgframecount, kBackgroundFrames);
        for (int frame = 0; frame < frames; ++frame) {
            auto picture = std::make_shared<Surface>(kFieldPictureWidth, kFieldPictureHeight);
            picture->bitBlt(0, 0, kFieldPictureWidth, kFieldPictureHeight, *sheets.background, 0,
                frame * kFieldPictureHeight);
            preview.picBack.push_back(std::move(picture));
        }
    }
    preview.picBlocks = sheets.skin;
    preview.picAniBlocks = sheets.blocks;
    preview.picMBlock = sheets.blocksMask;
    preview.picInetBG = sheets.internetBackground;
    preview.picNextBlk = sheets.nextPiece;
    preview.picSpecwin = sheets.specialWindow;
    preview.picInetDoor = sheets.internetDoor;
    preview.picExplosion = sheets.explode;
    preview.picMExplode = sheets.explodeMask;
    preview.picBomb = sheets.bomb;
    preview.picBombMask = sheets.bombMask;
    preview.picDoor = sheets.door1;
    preview.picDoorMask = sheets.door1Mask;
    preview.picDoor2 = sheets.door2;
    preview.picDoorMask2 = sheets.door2Mask;
    preview.picWarning = sheets.warning;
    preview.picMWarn = sheets.warningMask;

    PictureBox& led = m.pictures.picLeds[0];
    if (sheets.heightLed)
        led.setPicture(*sheets.heightLed);
    led.refresh();
}

void ThemePreview::unloadPreview()
{
    m.preview.releasePictures();
}

void ThemePreview::stepPreview()
{
    ThemeRecord& t = m.themes.PreviewTheme;
    const PreviewChecks& checks = m.preview.checks;
    const Clock& clock = m.clock;

    m.engine.stepBombs(kPreviewField, clock.nowMs(), kPreviewBombDelayMs, kPreviewBombLastFrame);
    int64_t now = clock.nowMs();
    if (checks.nextPiece && due(now, t.nextblklaststeptime, t.nextblkdelaybetweenframes)) {
        frameStep(t.nextblkcurrentframe, t.nextblkframecount, t.nextblklaststeptime, now);
        DrawNextPieceBackground();
    }
    now = clock.nowMs();
    if (checks.specialWindow && due(now, t.specialwindowlaststeptime, t.specialwindowdelaybetweenframes)) {
        frameStep(t.specialwindowcurrentframe, t.specialwindowframecount, t.specialwindowlaststeptime, now);
        DrawSpecialWindowBackground();
    }
    now = clock.nowMs();
    if (checks.internetBackground && t.inetbganimated
        && due(now, t.inetbglaststeptime, t.inetbgdelaybetweenframes))
        frameStep(t.inetbgcurrentframe, t.inetbgframecount, t.inetbglaststeptime, now);
    now = clock.nowMs();
    if (checks.background && t.bganimated && due(now, t.bglaststeptime, t.bgdelaybetweenframes))
        frameStep(t.bgcurrentframe, t.bgframecount, t.bglaststeptime, now);
    now = clock.nowMs();
    if (checks.blocks && due(now, t.blklaststeptime, t.blkdelaybetweenframes))
        frameStep(t.blkcurrentframe, t.blkframecount, t.blklaststeptime, now);

    const PreviewPictures& preview = m.preview;
    if (!preview.InetDoorClosing && !preview.InetDoorOpening)
        DrawPreviewInternetCells();
    const EngineState& s = m.engine.state();
    if (!s.FieldDoorClosing[kPreviewField] && !s.FieldExplodeRunning[kPreviewField]
        && !s.FieldDoorOpening[kPreviewField])
        GenerateThemePreview(kPreviewField);
}

void ThemePreview::GenerateThemePreview(int p)
{
    const EngineState& s = m.engine.state();
    if (p != kPreviewField || s.FieldExplodeRunning[p])
        return;
    const PreviewPictures& preview = m.preview;
    WindowPictures& pictures = m.pictures;
    PictureBox& field = pictures.picField[size_t(p)];
    field.clear();
    pictures.picBlkPreview.clear();
    pictures.picSpecPreview.clear();
    pictures.picInetBlkPreview.clear();

    if (!s.FieldDoorOpen[p] && !s.FieldDoorClosing[p] && !s.FieldDoorOpening[p]) {
        Surface& dc = field.canvas();
        if (preview.picDoor && preview.picDoorMask)
            dc.drawMasked(
                0, 0, kFieldPictureWidth, kFieldPictureHeight, *preview.picDoor, *preview.picDoorMask, 0, 0);
        if (preview.picDoor2 && preview.picDoorMask2)
            dc.drawMasked(0, 0, kFieldPictureWidth, kFieldPictureHeight, *preview.picDoor2,
                *preview.picDoorMask2, 0, 0);
    } else {
        m.renderer.DrawFieldBackgroundFrame();
        const BombAnimation& bomb = s.BombAnimations[p][kPreviewBombSlot];
        if (bomb.Active && preview.picBomb && preview.picBombMask)
            field.canvas().drawMasked(bomb.Column * kLargeTile, bomb.Row * kLargeTile, kBombSize, kBombSize,
                *preview.picBomb, *preview.picBombMask, 0, bomb.Frame * kBombSize);
    }
    drawBlockTiles(preview.checks.blocksOnBackground && s.FieldDoorOpen[p]);
    drawInternetCells(preview.checks.blocksOnBackground && preview.InetDoorOpen);

    pictures.picInetBlkPreview.refresh();
    pictures.picBlkPreview.refresh();
    pictures.picSpecPreview.refresh();
    field.refresh();
}

const Sheet& ThemePreview::tileSource() const
{
    return m.themes.PreviewTheme.themetype == 1 ? m.preview.picAniBlocks : m.preview.picBlocks;
}

int ThemePreview::tileFrameTop(bool animated) const
{
    const ThemeRecord& t = m.themes.PreviewTheme;
    const int frame = m.preview.checks.blocks && animated ? t.blkcurrentframe : t.blkstillframe;
    return (frame - 1) * kBlockFrameHeight;
}

void ThemePreview::drawBlockTiles(bool onField)
{
    const ThemeRecord& t = m.themes.PreviewTheme;
    const PreviewPictures& preview = m.preview;
    const Sheet& source = tileSource();
    if (!source)
        return;
    WindowPictures& pictures = m.pictures;
    for (int i = 0; i < kSampleTiles; ++i) {
        const int row = i / kTilesPerRow;
        const int column = i % kTilesPerRow;
        int sx = kSkinTilesLeft + column * kLargeTile;
        int sy = kSkinLargeTilesTop + row * kLargeTile;
        if (t.themetype == 1) {
            sx = column * kLargeTile;
            sy = tileFrameTop(row == 0 ? t.animateblocks : t.animatespecials) + row * kLargeTile;
        }
        // Row 0 is the normal blocks' sample, rows 1 to 3 the specials'.
        Surface& sample = row == 0 ? pictures.picBlkPreview.canvas() : pictures.picSpecPreview.canvas();
        const int sampleY = row == 0 ? 0 : (row - 1) * kLargeTile;
        drawTile(sample, column * kLargeTile, sampleY, kLargeTile, *source, preview.picMBlock.get(),
            t.blktransparency, sx, sy);
        if (onField)
            drawTile(pictures.picField[kPreviewField].canvas(), column * kLargeTile, row * kLargeTile,
                kLargeTile, *source, preview.picMBlock.get(), t.blktransparency, sx, sy);
    }
}

void ThemePreview::drawInternetCells(bool onBoard)
{
    const ThemeRecord& t = m.themes.PreviewTheme;
    const Sheet& source = tileSource();
    if (!source)
        return;
    WindowPictures& pictures = m.pictures;
    for (int i = 0; i < kSampleTiles; ++i) {
        const int row = i / kCellsPerRow;
        const int column = i % kCellsPerRow;
        int sx = kSkinTilesLeft + column * kSmallTile;
        int sy = kSkinSmallTilesTop + row * kSmallTile;
        if (t.themetype == 1) {
            sx = column * kSmallTile;
            sy = tileFrameTop(i < kNormalCells ? t.animateinetblocks : t.animateinetspecials) + kSmallTilesTop
                + row * kSmallTile;
        }
        pictures.picInetBlkPreview.canvas().bitBlt(
            column * kSmallTile, row * kSmallTile, kSmallTile, kSmallTile, *source, sx, sy);
        if (onBoard)
            pictures.picInetPreview.canvas().bitBlt(
                column * kSmallTile, row * kSmallTile, kSmallTile, kSmallTile, *source, sx, sy);
    }
}

void ThemePreview::DrawPreviewInternetCells()
{
    PictureBox& board = m.pictures.picInetPreview;
    board.clear();
    m.renderer.DrawInternetBackground();
    drawInternetCells(m.preview.checks.blocksOnBackground && m.preview.InetDoorOpen);
    board.refresh();
}

void ThemePreview::DrawNextPieceBackground()
{
    PictureBox& window = m.pictures.picNextPiece[kPreviewField];
    window.clear();
    const ThemeRecord& t = m.themes.PreviewTheme;
    const Sheet& frames = m.preview.picNextBlk;
    if (t.themetype == 1 && frames) {
        const int frame = t.nextblkanimated ? t.nextblkcurrentframe : t.nextblkstillframe;
        window.canvas().bitBlt(
            0, 0, kNextWindowSize, kNextWindowSize, *frames, 0, (frame - 1) * kNextWindowSize);
    }
    window.refresh();
}

void ThemePreview::DrawSpecialWindowBackground()
{
    PictureBox& window = m.pictures.picSpecials[0];
    window.clear();
    const ThemeRecord& t = m.themes.PreviewTheme;
    const PreviewPictures& preview = m.preview;
    if (t.themetype == 1) {
        // A still special window shows its still frame, as the game draws it.
        if (preview.picSpecwin) {
            int frame = t.specialwindowstillframe;
            if (t.specialwindowanimated && preview.checks.specialWindow)
                frame = t.specialwindowreverseanimation
                    ? t.specialwindowframecount + 1 - t.specialwindowcurrentframe
                    : t.specialwindowcurrentframe;
            window.canvas().bitBlt(0, 0, kSpecialWindowWidth, kSpecialWindowHeight, *preview.picSpecwin, 0,
                (frame - 1) * kSpecialWindowHeight);
        }
    } else if (t.specialwindowpic && preview.picBlocks) {
        window.canvas().bitBlt(
            0, 0, kSpecialWindowWidth, kSpecialWindowHeight, *preview.picBlocks, kSkinSpecialWindowLeft, 0);
    }
    window.refresh();
}

} // namespace kalvon
