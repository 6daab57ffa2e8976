// The default theme in data/, loaded by the game's loader, drawn by the renderer: every cell of
// a field shows its tile of the theme's block sheet, and the windows draw their pieces.

#include "recordingthemewindow.h"
#include "render/sheetloaders.h"
#include "render/themeloader.h"
#include "render/themepaths.h"
#include "renderrig.h"
#include "support/scratchfolder.h"
#include "support/scripteddialogs.h"

#include <gtest/gtest.h>

namespace kalvon {
namespace {

namespace fs = std::filesystem;

TEST(DefaultThemeDrawing, EveryCellShowsItsTileOfTheThemesBlockSheet)
{
    const fs::path data = KALVON_DATA_DIR;
    testing::ScratchFolder temp;
    testing::RenderRig rig;
    testing::ScriptedDialogs dialogs;
    testing::RecordingThemeWindow window;
    ThemeLoading loading{ rig.themes, dialogs, window, { temp.path(), data } };
    ASSERT_EQ(LoadTheme(loading, pathText(data / "default.kvx"), rig.themes.CurrentTheme,
                  rig.themes.ThemeSounds, ""),
        ThemeLoadResult::Loaded);
    rig.images = ThemeImages();
    SheetLoading sheets{ rig.images, rig.themes.CurrentTheme, window, data };
    BuildThemeImages(sheets);
    const ThemeRecord& theme = rig.themes.CurrentTheme;
    ASSERT_EQ(theme.themetype, 1);
    ASSERT_TRUE(rig.images.blocks && rig.images.background);

    // Each cell code of the game once: colours, specials, the falling piece's colours.
    EngineState& s = rig.state();
    std::vector<int> codes;
    for (int code = 0; code <= 21; ++code)
        codes.push_back(code);
    for (int code = 90; code <= 95; ++code)
        codes.push_back(code);
    rig.renderer.DrawField(1);
    const Surface empty = rig.field(1);
    for (size_t i = 0; i < codes.size(); ++i) {
        s.FieldOccupied[1][i % 12][10 + i / 12] = kCellOccupied;
        s.FieldColor[1][i % 12][10 + i / 12] = int16_t(codes[i]);
    }
    s.PieceResting[1] = true;
    rig.renderer.DrawField(1);

    const Surface& blocks = *rig.images.blocks;
    const int frame = theme.blkstillframe - 1;
    for (size_t i = 0; i < codes.size(); ++i) {
        const int column = int(i % 12), row = 10 + int(i / 12);
        const TileSpot tile = *blockTile(codes[i], TileSize::Large, frame);
        int wrong = 0;
        for (int y = 0; y < 16; ++y) {
            for (int x = 0; x < 16; ++x) {
                const QRgb source = blocks.pixel(tile.x + x, tile.y + y);
                const bool seeThrough = theme.blktransparency && source == kWhitePixel;
                const QRgb expected = seeThrough ? empty.pixel(16 * column + x, 16 * row + y) : source;
                wrong += rig.field(1).pixel(16 * column + x, 16 * row + y) != expected;
            }
        }
        EXPECT_EQ(wrong, 0) << "code " << codes[i];
    }

    // The windows draw a piece and the inventory from the same sheet.
    s.NextPiece[1] = int16_t(PieceType::Square);
    s.lstSpecials[1] = { 20 };
    rig.renderer.DrawNextPiece(1);
    rig.renderer.UpdateSpecialsWindow(1);
    rig.renderer.DrawSpecialWindow(1);
    const TileSpot square = *blockTile(95, TileSize::Large, frame);
    EXPECT_EQ(rig.pictures.picNextPiece[1].canvas().pixel(30, 30), blocks.pixel(square.x + 8, square.y + 8));
    const TileSpot bomb = *blockTile(20, TileSize::Large, 0);
    EXPECT_EQ(rig.pictures.picSpecials[1].canvas().pixel(8, 8), blocks.pixel(bomb.x + 8, bomb.y + 8));
}

} // namespace
} // namespace kalvon
