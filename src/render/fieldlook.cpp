#include "render/fieldlook.h"

#include "render/blocktiles.h"
#include "render/themerecord.h"

#include <algorithm>

namespace kalvon {

BlockLook BlockLook::of(
    const ThemeRecord& theme, const ThemeImages& images, bool animateBlocks, bool animateSpecials)
{
    return { theme.blkcurrentframe, theme.blkstillframe, theme.blktransparency, animateBlocks,
        animateSpecials, sheetVersion(images.blocks), sheetVersion(images.blocksMask) };
}

namespace {

// What changedRows leaves to the rows: the parts that draw into a few rows of the picture.
FieldLook withoutRowParts(FieldLook look)
{
    look.cells = {};
    look.smooth = 0;
    look.trail.reset();
    look.bombs = {};
    look.bombDraws = 0;
    look.shadowCount = 0;
    look.shadow = {};
    look.warningAlpha = 0;
    return look;
}

// Rows a redraw may change, gathered part by part and then put in order and joined.
class ChangedRows {
public:
    void add(int first, int end)
    {
        first = std::max(first, 0);
        end = std::min(end, kFieldPictureHeight);
        if (first < end)
            m_bands.push_back({ first, end });
    }

    // Each cell's sprite, the falling piece's slid down by the look's slide.
    void addCell(const FieldLook& look, int column, int row)
    {
        const DrawingLibrary::CellState& cell = look.cells[size_t(column)][size_t(row)];
        if (!cell.occupied)
            return;
        const int top = row * kTileSize + (cell.code >= kFallingCodeOffset ? look.smooth : 0);
        add(top, top + kTileSize);
    }

    void addTrail(const std::optional<DrawingLibrary::TrailLook>& trail)
    {
        if (trail)
            add(trail->startRow * kTileSize, (trail->startRow + trail->rows) * kTileSize);
    }

    void addBombs(const FieldLook& look)
    {
        for (const DrawingLibrary::Bomb& bomb : look.bombs) {
            if (bomb.active)
                add(bomb.y * kTileSize, bomb.y * kTileSize + DrawingLibrary::kBombSize);
        }
    }

    // DrawShadow darkens the cell above each landing row.
    void addShadow(const FieldLook& look)
    {
        for (int i = 0; i < look.shadowCount; ++i) {
            const int row = look.shadow[size_t(i)][1] - 1;
            add(row * kTileSize, (row + 1) * kTileSize);
        }
    }

    // In order and joined; with the warning shown, a band that reaches its strip takes it whole.
    std::vector<Surface::Rows> joined(bool warning)
    {
        if (warning) {
            for (Surface::Rows& band : m_bands) {
                if (band.first < kWarningStripRows.end && band.end > kWarningStripRows.first) {
                    band.first = std::min(band.first, kWarningStripRows.first);
                    band.end = std::max(band.end, kWarningStripRows.end);
                }
            }
        }
        std::sort(m_bands.begin(), m_bands.end(),
            [](const Surface::Rows& a, const Surface::Rows& b) { return a.first < b.first; });
        std::vector<Surface::Rows> joined;
        for (const Surface::Rows& band : m_bands) {
            if (!joined.empty() && band.first <= joined.back().end)
                joined.back().end = std::max(joined.back().end, band.end);
            else
                joined.push_back(band);
        }
        return joined;
    }

private:
    std::vector<Surface::Rows> m_bands;
};

} // namespace

std::optional<std::vector<Surface::Rows>> changedRows(const FieldLook& before, const FieldLook& after)
{
    if (after.gameOver || !(withoutRowParts(before) == withoutRowParts(after)))
        return std::nullopt;
    ChangedRows rows;
    const bool slid = before.smooth != after.smooth;
    for (int column = 0; column < kFieldColumns; ++column) {
        for (int row = 0; row < kFieldRows; ++row) {
            const DrawingLibrary::CellState& was = before.cells[size_t(column)][size_t(row)];
            const DrawingLibrary::CellState& is = after.cells[size_t(column)][size_t(row)];
            const bool falling = was.code >= kFallingCodeOffset || is.code >= kFallingCodeOffset;
            if (was != is || (slid && falling)) {
                rows.addCell(before, column, row);
                rows.addCell(after, column, row);
            }
        }
    }
    if (before.trail != after.trail) {
        rows.addTrail(before.trail);
        rows.addTrail(after.trail);
    }
    if (before.bombs != after.bombs || before.bombDraws != after.bombDraws) {
        rows.addBombs(before);
        rows.addBombs(after);
    }
    if (before.shadowCount != after.shadowCount || before.shadow != after.shadow) {
        rows.addShadow(before);
        rows.addShadow(after);
    }
    if (before.warningAlpha != after.warningAlpha)
        rows.add(kWarningStripRows.first, kWarningStripRows.end);
    return rows.joined(after.warning);
}

} // namespace kalvon
