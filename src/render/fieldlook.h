#pragma once
// Everything a local field's picture is drawn from in one draw: the picture box's own back
// colour and picture, the theme's frames and switches, the version of each sheet drawn from,
// the cells, the piece's slide and the shake, the trail, the bombs, the shadow, the warning,
// the team name and the game-over picture. Two equal looks over an untouched canvas draw the
// same pixels, so the renderer redraws a field only when its look has changed.

#include "common/bytes.h"
#include "render/drawinglibrary.h"
#include "render/themeimages.h"
#include "render/windowpictures.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace kalvon {

struct ThemeRecord;

// The warning strip: the field's bottom rows from y 296, 64 high (its last 8 rows lie below).
inline constexpr int kWarningStripTop = 296;
inline constexpr int kWarningStripHeight = 64;
// The rows of the field's picture the strip covers.
inline constexpr Surface::Rows kWarningStripRows{ kWarningStripTop,
    std::min(kWarningStripTop + kWarningStripHeight, kFieldPictureHeight) };

// The version of a sheet's pixels; 0 for no sheet.
inline uint64_t sheetVersion(const Sheet& sheet)
{
    return sheet ? sheet->version() : 0;
}

// How the blocks of a field or board are drawn: the theme's frames and switches (animation as
// the options and the theme allow it together) and the versions of the sheets they come from.
struct BlockLook {
    int frame = 0;
    int stillFrame = 0;
    bool transparency = false;
    bool animateBlocks = false;
    bool animateSpecials = false;
    uint64_t blocks = 0;
    uint64_t blocksMask = 0;

    static BlockLook of(
        const ThemeRecord& theme, const ThemeImages& images, bool animateBlocks, bool animateSpecials);
    friend bool operator==(const BlockLook&, const BlockLook&) = default;
};

struct FieldLook {
    // The canvas the draw starts from.
    QRgb backColor = 0;
    uint64_t boxPicture = 0;
    // Background and guide lines.
    int themeType = 0;
    int backgroundFrame = 0;
    uint64_t background = 0;
    uint64_t skin = 0;
    bool guides = false;
    uint64_t guideColumn = 0;
    // Blocks.
    DrawingLibrary::CellGrid cells{};
    int smooth = 0;
    int shake = 0;
    BlockLook blocks;
    // Trail, bombs, the shadow's cells (column and landing row; the first shadowCount).
    std::optional<DrawingLibrary::TrailLook> trail;
    std::array<DrawingLibrary::Bomb, DrawingLibrary::kBombSlots> bombs{};
    int bombDraws = 0;
    bool bombTransparency = false;
    uint64_t bomb = 0;
    uint64_t bombMask = 0;
    int shadowCount = 0;
    std::array<std::array<int, 2>, 4> shadow{};
    // The warning strip over the bottom rows.
    bool warning = false;
    int warningAlpha = 0;
    uint64_t warningSheet = 0;
    uint64_t warningMask = 0;
    // Team name and game over.
    std::optional<Bytes> team;
    bool fontTable = false;
    uint64_t teamFont = 0;
    bool gameOver = false;
    bool winTransparent = false;
    uint64_t gameOverSheet = 0;
    uint64_t gameOverMask = 0;

    friend bool operator==(const FieldLook&, const FieldLook&) = default;
};

// The rows of a field's picture in which a redraw of `after` may differ from a redraw of
// `before`: bands in order, apart, within the picture; a band that reaches the warning strip
// while the warning shows holds the whole strip (its capture reads it whole). Nothing when the
// whole picture may differ: anything changed but the cells, the piece's slide, the trail, the
// bombs, the shadow and the warning's opacity, or a game-over picture over the field.
std::optional<std::vector<Surface::Rows>> changedRows(const FieldLook& before, const FieldLook& after);

} // namespace kalvon
