// The block occurrence dialog's pictures: shape tiles and special icons come from the first
// frame of a type-1 block sheet and from the skin of a type-0 theme, at their sizes; a theme
// without the sheet gives black.

#include "render/occurrencesamples.h"
#include "tilecodedtheme.h"

#include <gtest/gtest.h>

namespace kalvon {
namespace {

using namespace testing;

// Every pixel of the picture, when they are all one colour.
std::optional<QRgb> solid(const Surface& picture)
{
    const QRgb first = picture.pixel(0, 0);
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            if (picture.pixel(x, y) != first)
                return std::nullopt;
        }
    }
    return first;
}

TEST(OccurrenceSamples, TilesAndIconsFromEitherThemeType)
{
    ThemeImages images;
    images.blocks = blockSheet(2, false);
    images.skin = skinSheet(false);
    struct Theme {
        int16_t type;
        Area tiles;
    };
    for (const Theme theme : { Theme{ 1, Area::LargeTile }, Theme{ 0, Area::SkinLargeTile } }) {
        SCOPED_TRACE(theme.type);
        for (int color = 0; color < 6; ++color) {
            const Surface tile = occurrenceShapeTile(images, theme.type, color);
            EXPECT_EQ(tile.width(), 14);
            EXPECT_EQ(tile.height(), 14);
            EXPECT_EQ(solid(tile), tileColor(theme.tiles, color)) << "colour " << color;
        }
        for (int special = 0; special < 16; ++special) {
            const Surface icon = occurrenceSpecialIcon(images, theme.type, special);
            EXPECT_EQ(icon.width(), 16);
            // Specials are tiles 6..21: rows 1 to 3 of the sheet, six to a row.
            EXPECT_EQ(solid(icon), tileColor(theme.tiles, 6 + special)) << "special " << special;
        }
    }
}

TEST(OccurrenceSamples, NoSheetGivesBlack)
{
    const ThemeImages none;
    EXPECT_EQ(solid(occurrenceShapeTile(none, 1, 3)), kBlackPixel);
    EXPECT_EQ(solid(occurrenceSpecialIcon(none, 0, 15)), kBlackPixel);
}

} // namespace
} // namespace kalvon
