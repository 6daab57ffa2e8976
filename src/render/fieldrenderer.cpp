// The local field: its fixed composition, the height LED, the backgrounds (the game's and the
// theme page's preview), the game-over picture and the warning strip.

#include "common/clock.h"
#include "common/vbconv.h"
#include "engine/enginerandom.h"
#include "engine/gameengine.h"
#include "platform/eventpump.h"
#include "render/blocktiles.h"
#include "render/drawinglibrary.h"
#include "render/drawoptions.h"
#include "render/gamerenderer.h"
#include "render/internetview.h"
#include "render/pixelrows.h"
#include "render/previewpictures.h"
#include "render/renderhooks.h"
#include "render/sheetframes.h"
#include "render/themerecord.h"
#include "render/windowpictures.h"

#include <algorithm>
#include <cmath>

namespace kalvon {

namespace {

constexpr int kLedWidth = 4;

constexpr int64_t kFlashWaitMs = 20;
// How long a field goes on shaking after Block Quake.
constexpr int64_t kQuakeShakeMs = 300;
constexpr int64_t kTrailRedrawMs = 10;

// The background frame to show (from 1), setting an animated set's current frame back to 1
// when it has run outside 1..count.
int backgroundFrame(ThemeRecord& theme, bool animate)
{
    if (!animate || !theme.bganimated)
        return theme.bgstillframe;
    if (theme.bgcurrentframe >= theme.bgframecount + 1 || theme.bgcurrentframe < 1)
        theme.bgcurrentframe = 1;
    return theme.bgreverseanimation ? theme.bgframecount + 1 - theme.bgcurrentframe : theme.bgcurrentframe;
}

bool noTeam(BytesView team)
{
    return team.empty() || team == "\r";
}

} // namespace

std::optional<Bytes> fieldTeamName(const InternetView& internet)
{
    if (!internet.Spectating)
        return noTeam(internet.MyTeam) ? std::nullopt : std::optional<Bytes>(internet.MyTeam);
    const int index = internet.SpotPlayerOne;
    if (index < 0 || size_t(index) >= internet.PlayerTeams.size())
        return std::nullopt;
    const Bytes& team = internet.PlayerTeams[size_t(index)];
    return noTeam(team) ? std::nullopt : std::optional<Bytes>(team);
}

void GameRenderer::DrawField(int p)
{
    if (!isPlayer(p))
        return;
    noteQuake(p);
    const EngineState& s = state();
    if (drawingPaused() || s.FieldExplodeRunning[p])
        return;
    PictureBox& box = field(p);
    if (!s.FieldDoorOpen[p] && !s.FieldDoorClosing[p] && !s.FieldDoorOpening[p] && m_context.options.doors) {
        box.clear();
        drawDoors(box.canvas(), kFieldPictureWidth, themeDoors());
        box.refresh();
        return;
    }
    if (s.FlashActive[p]) {
        box.clear();
        flashField(p);
        return;
    }

    // The trail is drawn at most every 10 ms; a draw in between shows the field without it.
    const int64_t now = m_context.clock.nowMs();
    const bool trailDue = now - m_trailLastDrawTime[size_t(p)] >= kTrailRedrawMs;
    if (trailDue)
        m_trailLastDrawTime[size_t(p)] = now;
    const FieldLook look = fieldLook(p, trailDue);
    if (m_skipUnchanged && fieldShowsLook(p, look)) {
        // The picture shows this look already: shown again as a redraw would show it, and the
        // warning's strip put back into the back buffer, which the other field may have used.
        if (look.warning)
            restoreFieldStrip(p);
        if (look.gameOver)
            box.refresh();
    } else {
        drawFieldLook(p, look);
    }
    box.refresh();
    if (p == 1 && m_context.hooks.BotLinked())
        m_context.hooks.BotBlockUpdate();
}

// What a redraw of field p would draw from, taken in the order the redraw used to take it: the
// background's frame (which may set an animated set back to its first frame), the shake (which
// draws the renderer's random numbers), then the cells handed to the library.
FieldLook GameRenderer::fieldLook(int p, bool withTrail)
{
    const EngineState& s = state();
    const DrawOptions& options = m_context.options;
    const ThemeImages& images = m_context.images;
    const DrawingLibrary& library = m_context.library;
    ThemeRecord& t = theme();
    const PictureBox& box = field(p);
    FieldLook look;
    look.backColor = box.backColor();
    look.boxPicture = box.picture().version();
    look.themeType = t.themetype;
    if (t.themetype == 1)
        look.backgroundFrame = backgroundFrame(t, options.animateBackground);
    look.background = sheetVersion(images.background);
    look.skin = sheetVersion(images.skin);
    look.guides = options.guides[size_t(p)];
    look.guideColumn = m_guideColumn.version();

    look.shake = shake(p);
    UpdateFieldBlocks(p);
    look.cells = *library.localCells(p);
    look.smooth = s.PieceResting[p] ? 0 : s.SmoothOffset[p];
    look.blocks = BlockLook::of(
        t, images, options.animateBlocks && t.animateblocks, options.animateSpecials && t.animatespecials);

    if (withTrail)
        look.trail = library.trailLook(p);
    look.bombs = *library.bombs(p);
    look.bombDraws = int(std::count_if(s.BombAnimations[p].begin(), s.BombAnimations[p].end(),
        [](const BombAnimation& slot) { return slot.Active; }));
    look.bombTransparency = t.bombtransparency;
    look.bomb = sheetVersion(images.bomb);
    look.bombMask = sheetVersion(images.bombMask);
    if (!s.GameOverShown[p] && s.PieceInPlay[p] && options.shadows && !s.HardDropping[p]) {
        const ShadowCells shadow = m_context.engine.shadowCells(p);
        look.shadowCount = std::min(shadow.count, int(look.shadow.size()));
        for (int i = 0; i < look.shadowCount; ++i)
            look.shadow[size_t(i)]
                = { shadow.cells[size_t(i)].column, shadow.cells[size_t(i)].landingRow.value_or(0) };
    }

    look.warning = m_context.engine.HasBlocksInTopRows(p) && s.GameActive && options.warning;
    if (look.warning) {
        look.warningAlpha = s.WarningAlpha[p];
        look.warningSheet = sheetVersion(images.warning);
        look.warningMask = sheetVersion(images.warningMask);
    }
    if (s.GameMode == GameMode::Internet)
        look.team = fieldTeamName(m_context.internet);
    look.fontTable = library.hasFontTable();
    look.teamFont = sheetVersion(images.teamFont);
    look.gameOver = s.GameOverShown[p];
    look.winTransparent = t.wintransparent;
    look.gameOverSheet = sheetVersion(images.gameOver);
    look.gameOverMask = sheetVersion(images.gameOverMask);
    return look;
}

// The canvas shows `look` when the last redraw drew it and nothing has drawn into it since.
bool GameRenderer::fieldShowsLook(int p, const FieldLook& look)
{
    return m_drawnLook[size_t(p)] == look && field(p).canvas().version() == m_drawnCanvas[size_t(p)];
}

void GameRenderer::drawFieldLook(int p, const FieldLook& look)
{
    Surface& dc = field(p).canvas();
    // When nothing else has drawn into the picture since the last redraw, only the rows in
    // which this look differs from that redraw's are drawn again.
    std::optional<std::vector<Surface::Rows>> bands;
    if (m_skipUnchanged && m_drawnLook[size_t(p)] && dc.version() == m_drawnCanvas[size_t(p)])
        bands = changedRows(*m_drawnLook[size_t(p)], look);
    if (!bands) {
        drawFieldRows(p, look, { 0, kFieldPictureHeight });
    } else {
        bool stripDrawn = false;
        for (const Surface::Rows& band : *bands) {
            const DrawingRows limit(dc, band.first, band.end);
            stripDrawn = drawFieldRows(p, look, band) || stripDrawn;
        }
        // The strip's rows are as the last redraw left them: so is what it captured.
        if (look.warning && !stripDrawn)
            restoreFieldStrip(p);
    }
    m_drawnLook[size_t(p)] = look;
    m_drawnCanvas[size_t(p)] = dc.version();
}

// Draws `look` over the rows of `band`, to which the canvas's drawing is limited, and tells
// whether the warning's strip was captured and blended: only when the band holds it whole.
bool GameRenderer::drawFieldRows(int p, const FieldLook& look, Surface::Rows band)
{
    PictureBox& box = field(p);
    // Cls shows only where the background leaves the field uncovered.
    if (!backgroundCoversField())
        box.clear();
    Surface& dc = box.canvas();
    PaintFieldBackground(p);
    if (look.guides) {
        for (int i = 1; i < kFieldColumns; ++i)
            dc.bitBlt(kTileSize * i, 0, 1, kFieldPictureHeight, m_guideColumn, 0, 0, RasterOp::Xor);
    }
    drawBlocks(p, dc, look.smooth, look.shake);
    if (look.trail)
        m_context.library.KalvonTrailDraw(p, dc, dc);
    drawBombs(p, dc);
    for (int i = 0; i < look.shadowCount; ++i)
        DrawShadow(p, look.shadow[size_t(i)][0], look.shadow[size_t(i)][1]);
    const bool stripInBand = band.first <= kWarningStripRows.first && band.end >= kWarningStripRows.end;
    if (look.warning && stripInBand) {
        // The blend AlphaBlendImage makes of the captured strip, drawn a row at a time.
        CaptureFieldStrip(p);
        blendUniform(dc, 0, kWarningStripTop, kFieldPictureWidth, kWarningStripHeight, m_warningStrip,
            look.warningAlpha);
        m_drawnStrip[size_t(p)] = m_warningStrip;
    }
    if (look.team)
        m_context.library.KalvonTeamDraw(dc, m_context.images.teamFont.get(), *look.team);
    if (look.gameOver)
        DrawGameOverPicture(p);
    m_redrawnFieldPixels += uint64_t(kFieldPictureWidth) * uint64_t(band.end - band.first);
    return look.warning && stripInBand;
}

// Flash Screen: no blocks, only a grey that pulses between black and white (period about
// 1.26 s) behind the picture the effect gave the field.
void GameRenderer::flashField(int p)
{
    m_context.pump.Wait(kFlashWaitMs);
    const double tick = double(m_context.clock.nowMs());
    const int v = std::min(int(vb::roundHalfEven((std::sin(tick / 200.0) + 1.0) * 128.0)), 255);
    field(p).setBackColor(qRgb(v, v, v));
    field(p).refresh();
}

// Block Quake runs to its end at once and draws the field only while it runs, so its shake
// goes on for a short time after the last of those draws, drawn by the ticks that follow.
void GameRenderer::noteQuake(int p)
{
    const EngineState& s = state();
    if (s.QuakeActive[p] && s.GameActive)
        m_quakeShakeUntil[size_t(p)] = m_context.clock.nowMs() + kQuakeShakeMs;
}

bool GameRenderer::quakeShaking(int p) const
{
    const EngineState& s = state();
    return s.GameActive && (s.QuakeActive[p] || m_context.clock.nowMs() < m_quakeShakeUntil[size_t(p)]);
}

bool GameRenderer::fieldShaking(int p) const
{
    return isPlayer(p)
        && (quakeShaking(p) || (state().TremorActive[p] && state().GameActive)
            || m_shakenLastDraw[size_t(p)]);
}

int GameRenderer::shake(int p)
{
    const EngineState& s = state();
    const bool quake = quakeShaking(p);
    const bool tremor = s.TremorActive[p] && s.GameActive;
    int sideways = 0;
    if (quake)
        sideways = randomBelow(m_context.random, 64) - 32;
    if (tremor)
        sideways = randomBelow(m_context.random, 128) - 64;
    m_shakenLastDraw[size_t(p)] = quake || tremor;
    return sideways;
}

void GameRenderer::drawBlocks(int p, Surface& dc, int smooth, int shake)
{
    const ThemeRecord& t = theme();
    const ThemeImages& images = m_context.images;
    DrawingLibrary& library = m_context.library;
    if (t.themetype == 1) {
        const int ab = m_context.options.animateBlocks && t.animateblocks ? 1 : 0;
        const int as = m_context.options.animateSpecials && t.animatespecials ? 1 : 0;
        const int frame = t.blkcurrentframe - 1;
        const int still = t.blkstillframe - 1;
        if (t.blktransparency)
            library.KalvonBlocksDrawTransparent(
                p, dc, images.blocks.get(), images.blocksMask.get(), frame, still, smooth, shake, ab, as);
        else
            library.KalvonBlocksDraw(p, dc, images.blocks.get(), frame, still, smooth, shake, ab, as);
    } else if (t.blktransparency) {
        library.KalvonBasicBlocksDrawTransparent(
            p, dc, images.skin.get(), images.blocksMask.get(), smooth, shake);
    } else {
        library.KalvonBasicBlocksDraw(p, dc, images.skin.get(), smooth, shake);
    }
}

void GameRenderer::drawBombs(int p, Surface& dc)
{
    const ThemeImages& images = m_context.images;
    // Each live slot asks for the drawing of all of p's bombs, as the library's callers do.
    for (const BombAnimation& slot : state().BombAnimations[p]) {
        if (!slot.Active)
            continue;
        if (theme().bombtransparency)
            m_context.library.KalvonBombDrawTransparent(p, dc, images.bomb.get(), images.bombMask.get());
        else
            m_context.library.KalvonBombDraw(p, dc, images.bomb.get());
    }
}

void GameRenderer::CaptureFieldStrip(int p)
{
    if (!isPlayer(p))
        return;
    ThemeImages& images = m_context.images;
    Surface strip(kFieldPictureWidth, kWarningStripHeight);
    strip.bitBlt(0, 0, kFieldPictureWidth, kWarningStripHeight, field(p).canvas(), 0, kWarningStripTop);
    if (images.warning && images.warningMask)
        strip.drawMasked(
            0, 0, kFieldPictureWidth, kWarningStripHeight, *images.warning, *images.warningMask, 0, 0);
    if (images.backBuffer)
        images.backBuffer->bitBlt(0, 0, kFieldPictureWidth, kWarningStripHeight, strip, 0, 0);
    m_warningStrip = strip;
}

// What CaptureFieldStrip left of field p's last redraw, left again.
void GameRenderer::restoreFieldStrip(int p)
{
    const Surface& strip = m_drawnStrip[size_t(p)];
    if (m_context.images.backBuffer)
        m_context.images.backBuffer->bitBlt(0, 0, kFieldPictureWidth, kWarningStripHeight, strip, 0, 0);
    m_warningStrip = strip;
}

void GameRenderer::DrawHeightLed(int p)
{
    if (!isPlayer(p) || !m_context.options.leds || drawingPaused())
        return;
    const EngineState& s = state();
    for (int row = 0; row < kFieldRows; ++row) {
        for (int column = 0; column < kFieldColumns; ++column) {
            if (s.FieldOccupied[p][column][row] == kCellEmpty
                || s.FieldColor[p][column][row] >= kFallingCodeOffset)
                continue;
            // Lit from the top of the highest locked block down.
            PictureBox& led = m_context.pictures.picLeds[size_t(p)];
            led.clear();
            if (const Sheet& picture = m_context.images.heightLed)
                led.canvas().bitBlt(0, kTileSize * row, kLedWidth, (kFieldRows - row) * kTileSize, *picture,
                    0, kTileSize * row);
            led.refresh();
            return;
        }
    }
}

void GameRenderer::ClearHeightLed(int p)
{
    if (!isPlayer(p))
        return;
    PictureBox& led = m_context.pictures.picLeds[size_t(p)];
    led.clear();
    led.refresh();
}

void GameRenderer::PaintFieldBackground(int p)
{
    if (!isField(p) || drawingPaused())
        return;
    Surface& dc = field(p).canvas();
    ThemeRecord& t = theme();
    const ThemeImages& images = m_context.images;
    if (t.themetype == 1) {
        const int frame = backgroundFrame(t, m_context.options.animateBackground) - 1;
        if (images.background && frameInSheet(*images.background, frame, kFieldPictureHeight))
            dc.bitBlt(0, 0, kFieldPictureWidth, kFieldPictureHeight, *images.background, 0,
                kFieldPictureHeight * frame);
    } else if (images.skin) {
        dc.bitBlt(0, 0, kFieldPictureWidth, kFieldPictureHeight, *images.skin, 0, 0);
    }
}

// Whether PaintFieldBackground draws every pixel of a local field (its frame is read as it
// would read it, after fieldLook has set a bad current frame back).
bool GameRenderer::backgroundCoversField()
{
    const ThemeRecord& t = theme();
    const ThemeImages& images = m_context.images;
    const auto covers = [](const Sheet& sheet, int top) {
        return sheet && top >= 0 && sheet->width() >= kFieldPictureWidth
            && int64_t(top) + kFieldPictureHeight <= sheet->height();
    };
    if (t.themetype == 1) {
        const int frame = backgroundFrame(theme(), m_context.options.animateBackground) - 1;
        return frame >= 0 && covers(images.background, kFieldPictureHeight * frame);
    }
    return covers(images.skin, 0);
}

void GameRenderer::DrawGameOverPicture(int p)
{
    if (!isPlayer(p) || drawingPaused())
        return;
    const ThemeImages& images = m_context.images;
    Surface& dc = field(p).canvas();
    if (theme().wintransparent) {
        if (images.gameOver && images.gameOverMask)
            dc.drawMasked(
                0, 0, kFieldPictureWidth, kFieldPictureHeight, *images.gameOver, *images.gameOverMask, 0, 0);
    } else if (images.gameOver) {
        dc.bitBlt(0, 0, kFieldPictureWidth, kFieldPictureHeight, *images.gameOver, 0, 0);
    }
    field(p).refresh();
}

void GameRenderer::DrawFieldBackgroundFrame()
{
    const PreviewPictures& preview = m_context.preview;
    ThemeRecord& t = m_context.themes.PreviewTheme;
    Sheet source;
    if (t.themetype == 1) {
        const int frame = backgroundFrame(t, preview.checks.background);
        if (frame >= 1 && size_t(frame) <= preview.picBack.size())
            source = preview.picBack[size_t(frame - 1)];
    } else {
        source = preview.picBlocks;
    }
    if (source)
        field(3).canvas().bitBlt(0, 0, kFieldPictureWidth, kFieldPictureHeight, *source, 0, 0);
}

void GameRenderer::DrawInternetBackground()
{
    const PreviewPictures& preview = m_context.preview;
    Surface& dc = m_context.pictures.picInetPreview.canvas();
    if (!preview.InetDoorOpen && !preview.InetDoorOpening && !preview.InetDoorClosing) {
        if (preview.picInetDoor)
            dc.bitBlt(0, 0, kBoardPictureWidth, kBoardPictureHeight, *preview.picInetDoor, 0, 0);
        return;
    }
    const ThemeRecord& t = m_context.themes.PreviewTheme;
    if (t.themetype == 0 && preview.picBlocks) {
        dc.bitBlt(0, 0, kBoardPictureWidth, kBoardPictureHeight, *preview.picBlocks, kFieldPictureWidth, 0);
    } else if (t.themetype == 1 && preview.picInetBG) {
        const bool animate = preview.checks.internetBackground && t.inetbganimated;
        const int frame = (animate ? t.inetbgcurrentframe : t.inetbgstillframe) - 1;
        if (frameInSheet(*preview.picInetBG, frame, kBoardPictureHeight))
            dc.bitBlt(0, 0, kBoardPictureWidth, kBoardPictureHeight, *preview.picInetBG, 0,
                kBoardPictureHeight * frame);
    }
}

void GameRenderer::ResetFieldPicture(int p)
{
    if (isField(p))
        field(p).setPicture(m_context.pictures.windowPicture);
}

void GameRenderer::ClearFieldPicture(int p)
{
    if (isField(p))
        field(p).clear();
}

void GameRenderer::RefreshField(int p)
{
    if (isField(p))
        field(p).refresh();
}

void GameRenderer::ResetBlockFrame()
{
    theme().blkcurrentframe = theme().blkstillframe;
}

void GameRenderer::BombCreate(int p, int column, int row, int slot)
{
    m_context.library.KalvonBombCreate(p, column, row, slot);
}

void GameRenderer::BombFrame(int p, int slot, int frame)
{
    m_context.library.KalvonBombFrame(p, slot, frame);
}

void GameRenderer::BombKill(int p, int slot)
{
    m_context.library.KalvonBombKill(p, slot);
}

} // namespace kalvon
