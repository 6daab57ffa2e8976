// The drawing library's effects over a field: drop trails, shadow cells, bomb animations and
// the team name.

#include "common/clock.h"
#include "render/drawinglibrary.h"
#include "render/librarysprites.h"
#include "render/pixelrows.h"

#include <algorithm>

namespace kalvon {

namespace {

// The strongest opacity of the trail, at its bottom row when it is new.
constexpr int64_t kTrailPeakAlpha = 192;

// A bomb's top-left cell: the 4 x 4-cell square must touch the field.
constexpr int kBombFirstCell = -3;

constexpr int kGlyphSize = 8;
constexpr int kGlyphsPerRow = 16;
constexpr int kTeamLeft = 4;
constexpr int kTeamTop = 4;

QRgb halfBrightness(QRgb color)
{
    return (color >> 1) & 0x7f7f7f;
}

} // namespace

void DrawingLibrary::KalvonGenerateFontTable()
{
    std::array<TileSpot, 256> glyphs{};
    for (int c = 0; c < 256; ++c)
        glyphs[size_t(c)] = { kGlyphSize * (c % kGlyphsPerRow), kGlyphSize * (c / kGlyphsPerRow) };
    m_glyphs = glyphs;
}

// --- drop trail ---

void DrawingLibrary::KalvonTrailGenerate(int32_t color)
{
    m_trailColor = rgbFromColorRef(uint32_t(color));
}

void DrawingLibrary::KalvonTrailUpdate(int p, int column, int startRow, int width, int rows)
{
    if (!isLocalPlayer(p))
        return;
    m_trails[size_t(p - 1)] = { column, startRow, width, rows, m_clock.nowMs() };
}

void DrawingLibrary::KalvonTrailClear(int p)
{
    if (isLocalPlayer(p))
        m_trails[size_t(p - 1)] = {};
}

std::optional<DrawingLibrary::TrailLook> DrawingLibrary::trailLook(int p) const
{
    if (!isLocalPlayer(p) || !m_trailColor)
        return std::nullopt;
    const Trail& trail = m_trails[size_t(p - 1)];
    const int64_t age = m_clock.nowMs() - trail.start;
    if (trail.rows <= 0 || trail.width <= 0 || age < 0 || age >= kTrailFadeMs)
        return std::nullopt;
    return TrailLook{ trail.column, trail.startRow, trail.width, trail.rows, kTrailFadeMs - age,
        *m_trailColor };
}

void DrawingLibrary::KalvonTrailDraw(int p, Surface& dc, const Surface& background)
{
    const std::optional<TrailLook> trail = trailLook(p);
    if (!trail)
        return;
    const int top = trail->startRow * kTileSize;
    const int height = trail->rows * kTileSize;
    const int64_t fade = trail->fade;
    const QRgb color = trail->color;
    forEachRow(dc, background, trail->column * kTileSize, top, trail->width * kTileSize, height,
        [&](QRgb* out, const QRgb* under, int count, int, int row) {
            const int64_t alpha = kTrailPeakAlpha * (row + 1) * fade / (int64_t(height) * kTrailFadeMs);
            pixelrows::blendRowWithColor(out, color, under, count, int(alpha));
        });
}

// --- shadow ---

void DrawingLibrary::KalvonShadowDraw(int column, int row, Surface& dc, const Surface& background)
{
    if (column < 0 || column >= kFieldColumns || row < 0 || row >= kFieldRows)
        return;
    transformRect(dc, background, column * kTileSize, row * kTileSize, kTileSize, kTileSize,
        [](int, int, QRgb under) { return halfBrightness(under); });
}

// --- bombs ---

void DrawingLibrary::KalvonBombCreate(int p, int x, int y, int slot)
{
    if (!isLocalPlayer(p) || slot < 0 || slot >= kBombSlots || x < kBombFirstCell || x >= kFieldColumns
        || y < kBombFirstCell || y >= kFieldRows)
        return;
    m_bombs[size_t(p - 1)][size_t(slot)] = { true, x, y, 0 };
}

void DrawingLibrary::KalvonBombFrame(int p, int slot, int frame)
{
    if (!isLocalPlayer(p) || slot < 0 || slot >= kBombSlots || frame < 0)
        return;
    Bomb& bomb = m_bombs[size_t(p - 1)][size_t(slot)];
    if (bomb.active)
        bomb.frame = frame;
}

void DrawingLibrary::KalvonBombKill(int p, int slot)
{
    if (isLocalPlayer(p) && slot >= 0 && slot < kBombSlots)
        m_bombs[size_t(p - 1)][size_t(slot)].active = false;
}

void DrawingLibrary::drawBombs(int p, Surface& dc, const Sprites& sprites) const
{
    if (!isLocalPlayer(p) || !sprites.usable())
        return;
    for (const Bomb& bomb : m_bombs[size_t(p - 1)]) {
        const int shown = std::max(bomb.frame, 1) - 1;
        if (!bomb.active || !frameInSheet(*sprites.picture, shown, kBombSize))
            continue;
        sprites.put(dc, bomb.x * kTileSize, bomb.y * kTileSize, kBombSize, kBombSize, 0, shown * kBombSize);
    }
}

void DrawingLibrary::KalvonBombDraw(int p, Surface& dc, const Surface* bomb)
{
    drawBombs(p, dc, Sprites::opaque(bomb));
}

void DrawingLibrary::KalvonBombDrawTransparent(int p, Surface& dc, const Surface* bomb, const Surface* mask)
{
    drawBombs(p, dc, Sprites::transparent(bomb, mask));
}

// --- team name ---

void DrawingLibrary::KalvonTeamDraw(Surface& dc, const Surface* font, BytesView name)
{
    if (!font || !m_glyphs)
        return;
    const size_t glyphs = std::min<size_t>(name.size(), kTeamGlyphs);
    for (size_t i = 0; i < glyphs; ++i) {
        const TileSpot glyph = (*m_glyphs)[size_t(byteCode(name[i]))];
        const int left = kTeamLeft + int(i) * kGlyphSize;
        for (int y = 0; y < kGlyphSize; ++y) {
            for (int x = 0; x < kGlyphSize; ++x) {
                const int fx = glyph.x + x;
                const int fy = glyph.y + y;
                if (fx >= font->width() || fy >= font->height())
                    continue;
                const QRgb pixel = font->pixel(fx, fy);
                if (pixel != kWhitePixel)
                    dc.setPixel(left + x, kTeamTop + y, pixel);
            }
        }
    }
}

} // namespace kalvon
