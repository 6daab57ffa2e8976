// The game core on the real renderer with the default theme: the tick draws the falling piece
// into the field picture, and the bot plug-in hears of each redraw of player 1's field. It also
// shows the order the program makes the parts in: the core, then the renderer (which reads the
// core's engine), which the core is then given to draw with.

#include "game/corerenderhooks.h"
#include "render/blocktiles.h"
#include "render/drawinglibrary.h"
#include "render/drawoptions.h"
#include "render/gamerenderer.h"
#include "render/internetview.h"
#include "render/previewpictures.h"
#include "render/recordingthemewindow.h"
#include "render/renderhooks.h"
#include "render/sheetloaders.h"
#include "render/themeloader.h"
#include "render/themepaths.h"
#include "render/windowpictures.h"
#include "samplebot.h"
#include "support/game/gamerig.h"
#include "support/scratchfolder.h"

#include <gtest/gtest.h>

using namespace kalvon;
using namespace kalvon::testing;

namespace {

struct RenderedGame {
    ThemeImages images;
    WindowPictures pictures;
    PreviewPictures preview;
    DrawOptions drawOptions;
    OpponentBoards boards;
    InternetView internetView{ boards };
    GameRig rig{ GameMode::OnePlayer, kSampleBotFolder };
    DrawingLibrary library{ rig.clock };
    CoreRenderHooks hooks{ rig.core };
    StandardRandom drawRandom{ 7 };
    GameRenderer renderer{ RenderContext{ rig.core.engine(), rig.themes, images, library, pictures, preview,
        drawOptions, internetView, hooks, rig.pump, rig.clock, drawRandom } };

    // The renderer reads the core's engine, so it is handed to the core once made.
    RenderedGame() { rig.core.setDrawing(renderer); }
};

} // namespace

TEST(GameRendering, TheTickDrawsTheFallingPieceAndTellsTheBot)
{
    const std::filesystem::path data = KALVON_DATA_DIR;
    ScratchFolder temp;
    RenderedGame game;
    GameRig& rig = game.rig;
    RecordingThemeWindow themeWindow;
    ThemeLoading loading{ rig.themes, rig.dialogs, themeWindow, { temp.path(), data } };
    ASSERT_EQ(LoadTheme(loading, pathText(data / "default.kvx"), rig.themes.CurrentTheme,
                  rig.themes.ThemeSounds, ""),
        ThemeLoadResult::Loaded);
    SheetLoading sheets{ game.images, rig.themes.CurrentTheme, themeWindow, data };
    BuildThemeImages(sheets);
    ASSERT_TRUE(game.images.blocks);
    game.library.KalvonGenerateFontTable();
    ASSERT_TRUE(rig.core.bot().BotLink("kalvonbot.dll"));
    const int updatesBefore = SampleStats::read().blockUpdates;

    rig.session().StartGame();
    rig.runFor(200);

    const EngineState& s = rig.state();
    ASSERT_TRUE(s.PieceInPlay[1]);
    EXPECT_GT(SampleStats::read().blockUpdates, updatesBefore) << "each redraw of field 1 reaches the bot";
    // Every cell of the falling piece shows the piece's tile of the theme's block sheet.
    const Surface& field = game.pictures.picField[1].canvas();
    const Surface& blocks = *game.images.blocks;
    int cells = 0;
    for (int column = 0; column < kFieldColumns; ++column) {
        for (int row = 0; row < kFieldRows; ++row) {
            const int16_t code = s.FieldColor[1][size_t(column)][size_t(row)];
            if (s.FieldOccupied[1][size_t(column)][size_t(row)] == kCellEmpty || code < kFallingCodeOffset)
                continue;
            ++cells;
            const auto tile = blockTile(code, TileSize::Large, rig.themes.CurrentTheme.blkcurrentframe - 1);
            ASSERT_TRUE(tile);
            EXPECT_EQ(field.pixel(16 * column + 8, 16 * row + 8), blocks.pixel(tile->x + 8, tile->y + 8))
                << column << "," << row;
        }
    }
    EXPECT_EQ(cells, 4);
    rig.core.bot().BotUnlink();
}
