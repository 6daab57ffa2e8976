// The game core on the real renderer with the default theme: the tick draws the falling piece
// into the field picture, and the bot plug-in hears of each redraw of player 1's field. It also
// shows the order the program makes the parts in: the core, then the renderer (which reads the
// core's engine), which the core is then given to draw with. A field hit by Block Quake goes on
// shaking on the ticks after it, in every game mode.

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
#include "support/enginefakes.h"
#include "support/game/gamerig.h"
#include "support/scratchfolder.h"

#include <algorithm>
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
    ScriptedRandom drawRandom; // only a shake draws random numbers
    GameRenderer renderer{ RenderContext{ rig.core.engine(), rig.themes, images, library, pictures, preview,
        drawOptions, internetView, hooks, rig.pump, rig.clock, drawRandom } };

    // The renderer reads the core's engine, so it is handed to the core once made.
    RenderedGame() { rig.core.setDrawing(renderer); }

    // The default theme loaded and its sheets built.
    void loadDefaultTheme(const std::filesystem::path& temp)
    {
        const std::filesystem::path data = KALVON_DATA_DIR;
        RecordingThemeWindow themeWindow;
        ThemeLoading loading{ rig.themes, rig.dialogs, themeWindow, { temp, data } };
        ASSERT_EQ(LoadTheme(loading, pathText(data / "default.kvx"), rig.themes.CurrentTheme,
                      rig.themes.ThemeSounds, ""),
            ThemeLoadResult::Loaded);
        SheetLoading sheets{ images, rig.themes.CurrentTheme, themeWindow, data };
        BuildThemeImages(sheets);
        ASSERT_TRUE(images.blocks);
        library.KalvonGenerateFontTable();
    }
};

} // namespace

TEST(GameRendering, TheTickDrawsTheFallingPieceAndTellsTheBot)
{
    ScratchFolder temp;
    RenderedGame game;
    GameRig& rig = game.rig;
    game.loadDefaultTheme(temp.path());
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

TEST(GameRendering, BlockQuakeShakesTheFieldOnTheFollowingTicksInEveryMode)
{
    for (const GameMode mode : { GameMode::OnePlayer, GameMode::TwoPlayers, GameMode::Internet }) {
        SCOPED_TRACE(int(mode));
        ScratchFolder temp;
        RenderedGame game;
        GameRig& rig = game.rig;
        game.loadDefaultTheme(temp.path());
        rig.core.engine().setGameMode(mode == GameMode::TwoPlayers ? mode : GameMode::OnePlayer);
        rig.startGame();
        EngineState& s = rig.state();
        s.GameMode = mode;
        // Two full bottom rows of one colour: the quake puts them back as they were.
        for (int row = 20; row <= 21; ++row) {
            for (int column = 0; column < kFieldColumns; ++column) {
                s.FieldOccupied[1][size_t(column)][size_t(row)] = kCellOccupied;
                s.FieldColor[1][size_t(column)][size_t(row)] = 0;
            }
        }
        game.renderer.DrawField(1);
        const Surface& field = game.pictures.picField[1].canvas();
        const QRgb block = field.pixel(11 * 16 + 8, 21 * 16 + 8);

        game.drawRandom.values.assign(100, 0.0); // every shake 32 pixels to the left
        rig.core.engine().effects().BlockQuake(1);
        EXPECT_FALSE(s.QuakeActive[1]) << "the quake ran to its end at once";
        std::vector<bool> shaken;
        for (int tick = 0; tick < 40; ++tick) {
            rig.runFor(10);
            shaken.push_back(field.pixel(11 * 16 + 8, 21 * 16 + 8) != block);
        }
        // Shaken on the ticks of the next 300 ms (29 or 30 of them, as the ticks fall), then
        // drawn still once and left so.
        const auto still = std::find(shaken.begin(), shaken.end(), false);
        EXPECT_GE(still - shaken.begin(), 29);
        EXPECT_LE(still - shaken.begin(), 30);
        EXPECT_TRUE(std::all_of(still, shaken.end(), [](bool b) { return !b; }));
    }
}
