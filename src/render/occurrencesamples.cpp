#include "render/occurrencesamples.h"

#include "engine/types.h"
#include "render/blocktiles.h"
#include "render/themeimages.h"

namespace kalvon {

namespace {

// The 16 x 16 tile of a cell code in the theme's sheet, scaled to `size`.
Surface tile(const ThemeImages& images, int16_t themeType, int code, int size)
{
    Surface picture(size, size);
    const Sheet& sheet = themeType == 1 ? images.blocks : images.skin;
    const std::optional<TileSpot> spot
        = themeType == 1 ? blockTile(code, TileSize::Large, 0) : skinTile(code, TileSize::Large);
    if (sheet && spot)
        picture.stretchBlt(0, 0, size, size, *sheet, spot->x, spot->y, kTileSize, kTileSize);
    return picture;
}

} // namespace

Surface occurrenceShapeTile(const ThemeImages& images, int16_t themeType, int color)
{
    return tile(images, themeType, color, kOccurrenceTileSize);
}

Surface occurrenceSpecialIcon(const ThemeImages& images, int16_t themeType, int special)
{
    return tile(images, themeType, kFirstSpecialCode + special, kTileSize);
}

} // namespace kalvon
