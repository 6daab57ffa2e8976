// The drawing library on tile-coded sheets: every drawn pixel names the tile and frame it came
// from, so each draw is checked against the picture it must give.

#include "render/drawinglibrary.h"
#include "support/enginefakes.h"
#include "tilecodedtheme.h"

#include <functional>
#include <gtest/gtest.h>
#include <optional>

namespace kalvon {
namespace {

using testing::Area;
using testing::areaColor;
using testing::FakeClock;
using testing::FieldRows;
using testing::pixelName;

// What lay beneath every draw.
constexpr QRgb kUnder = 0xff010203;
const std::string kUnderName = "#010203";

class LibraryTest : public ::testing::Test {
protected:
    LibraryTest() { dc.fill(kUnder); }

    // Hands the library a field written as the engine fixtures write fields.
    void loadField(int field, const FieldRows& rows)
    {
        EngineState state;
        testing::setField(state, 1, rows);
        for (int x = 0; x < kFieldColumns; ++x) {
            for (int y = 0; y < kFieldRows; ++y)
                library.KalvonUpdateBlocks(
                    field, x, y, state.FieldOccupied[1][x][y], state.FieldColor[1][x][y]);
        }
    }

    std::string at(int x, int y) const { return pixelName(dc.pixel(x, y)); }
    // The middle and the (white, transparent) top-left corner of a 16 x 16 cell.
    std::string cell(int column, int row) const { return at(16 * column + 8, 16 * row + 8); }
    std::string corner(int column, int row) const { return at(16 * column + 1, 16 * row + 1); }
    bool untouched() const
    {
        Surface blank(dc.width(), dc.height());
        blank.fill(kUnder);
        return dc.image() == blank.image();
    }

    FakeClock clock;
    DrawingLibrary library{ clock };
    Surface dc{ 192, 352 };
    Sheet blocks = testing::blockSheet(2, true);
    Sheet mask = testing::maskOf(*blocks);
    Sheet skin = testing::skinSheet(true);
    Sheet skinMask = testing::maskOf(*skin);
};

TEST(BlockTiles, CodesFindTheirTilesInBothLayouts)
{
    using Spot = std::optional<TileSpot>;
    const struct {
        int code;
        TileSize size;
        int frame;
        Spot block;
        Spot skin;
    } cases[] = {
        { 0, TileSize::Large, 0, TileSpot{ 0, 0 }, TileSpot{ 192, 176 } },
        { 5, TileSize::Large, 1, TileSpot{ 80, 80 }, TileSpot{ 272, 176 } },
        { 6, TileSize::Large, 0, TileSpot{ 0, 16 }, TileSpot{ 192, 192 } },
        { 21, TileSize::Large, 1, TileSpot{ 48, 128 }, TileSpot{ 240, 224 } },
        { 93, TileSize::Large, 0, TileSpot{ 48, 0 }, TileSpot{ 240, 176 } },
        { 0, TileSize::Small, 0, TileSpot{ 0, 64 }, TileSpot{ 192, 240 } },
        { 13, TileSize::Small, 1, TileSpot{ 8, 152 }, TileSpot{ 200, 248 } },
        { 95, TileSize::Small, 0, TileSpot{ 40, 64 }, TileSpot{ 232, 240 } },
        { 3, TileSize::Large, -1, std::nullopt, TileSpot{ 240, 176 } },
        { 22, TileSize::Large, 0, std::nullopt, std::nullopt },
        { 89, TileSize::Small, 0, std::nullopt, std::nullopt },
        { 96, TileSize::Large, 0, std::nullopt, std::nullopt },
        { -1, TileSize::Small, 0, std::nullopt, std::nullopt },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        EXPECT_EQ(blockTile(c.code, c.size, c.frame), c.block);
        EXPECT_EQ(skinTile(c.code, c.size), c.skin);
    }
}

TEST_F(LibraryTest, BlocksShowTheFrameTheirKindAnimatesBy)
{
    loadField(0,
        {
            "a...........",
            "0.A.5.P.....",
        });
    library.KalvonUpdateBlocks(0, 8, 21, -1, 50); // a code without a tile
    library.KalvonUpdateBlocks(0, 10, 21, 0, 3); // an empty cell keeps its code
    const struct {
        int ab, as;
        const char* normalFrame;
        const char* specialFrame;
    } cases[] = { { 1, 1, "f1", "f1" }, { 1, 0, "f1", "f0" }, { 0, 1, "f0", "f1" }, { 0, 0, "f0", "f0" } };
    for (const auto& c : cases) {
        SCOPED_TRACE("ab " + std::to_string(c.ab) + ", as " + std::to_string(c.as));
        dc.fill(kUnder);
        library.KalvonBlocksDraw(1, dc, blocks.get(), 1, 0, 0, 0, c.ab, c.as);
        const std::string normal = c.normalFrame, special = c.specialFrame;
        EXPECT_EQ(cell(0, 20), "T0" + normal); // falling
        EXPECT_EQ(cell(0, 21), "T0" + normal);
        EXPECT_EQ(cell(2, 21), "T6" + special);
        EXPECT_EQ(cell(4, 21), "T5" + normal);
        EXPECT_EQ(cell(6, 21), "T21" + special);
        EXPECT_EQ(cell(8, 21), kUnderName);
        EXPECT_EQ(cell(10, 21), kUnderName);
        EXPECT_EQ(cell(1, 21), kUnderName);
    }
}

TEST_F(LibraryTest, EveryVariantDrawsItsOwnTilesAndTransparencyShowsWhatLiesBeneath)
{
    library.KalvonUpdateBlocks(0, 2, 3, -1, 9);
    library.KalvonUpdateInternetBlocks(1, 2, 3, -1, 9);
    const struct {
        const char* name;
        std::function<void(DrawingLibrary&, Surface&)> draw;
        int cellSize;
        std::string middle;
        std::string corner; // pixel (1, 1) of the cell
    } cases[] = {
        { "blocks", [&](auto& l, auto& d) { l.KalvonBlocksDraw(1, d, blocks.get(), 1, 1, 0, 0, 0, 0); }, 16,
            "T9f1", "W" },
        { "blocks, transparent",
            [&](auto& l, auto& d) {
                l.KalvonBlocksDrawTransparent(1, d, blocks.get(), mask.get(), 1, 1, 0, 0, 0, 0);
            },
            16, "T9f1", kUnderName },
        { "skin blocks", [&](auto& l, auto& d) { l.KalvonBasicBlocksDraw(1, d, skin.get(), 0, 0); }, 16, "S9",
            "W" },
        { "skin blocks, transparent",
            [&](auto& l, auto& d) {
                l.KalvonBasicBlocksDrawTransparent(1, d, skin.get(), skinMask.get(), 0, 0);
            },
            16, "S9", kUnderName },
        { "internet blocks",
            [&](auto& l, auto& d) { l.KalvonInternetBlocksDraw(2, d, blocks.get(), 1, 0, 0, 1); }, 8, "t9f1",
            "W" },
        { "internet blocks, transparent",
            [&](auto& l, auto& d) {
                l.KalvonInternetBlocksDrawTransparent(2, d, blocks.get(), mask.get(), 1, 0, 0, 1);
            },
            8, "t9f1", kUnderName },
        { "skin internet blocks",
            [&](auto& l, auto& d) { l.KalvonBasicInternetBlocksDraw(2, d, skin.get()); }, 8, "s9", "W" },
        { "skin internet blocks, transparent",
            [&](auto& l, auto& d) {
                l.KalvonBasicInternetBlocksDrawTransparent(2, d, skin.get(), skinMask.get());
            },
            8, "s9", kUnderName },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        dc.fill(kUnder);
        c.draw(library, dc);
        const int x = c.cellSize * 2, y = c.cellSize * 3;
        EXPECT_EQ(at(x + c.cellSize / 2, y + c.cellSize / 2), c.middle);
        EXPECT_EQ(at(x + 1, y + 1), c.corner);
        EXPECT_EQ(at(x + c.cellSize, y + c.cellSize / 2), kUnderName);
    }
}

TEST_F(LibraryTest, MissingSheetsFramesOutsideTheSheetAndBadIndicesDrawNothing)
{
    library.KalvonUpdateBlocks(0, 0, 0, -1, 1);
    library.KalvonUpdateBlocks(1, 0, 0, -1, 1);
    library.KalvonUpdateInternetBlocks(4, 0, 0, -1, 1);
    const struct {
        const char* name;
        std::function<void(DrawingLibrary&, Surface&)> draw;
    } cases[] = {
        { "no block sheet", [](auto& l, auto& d) { l.KalvonBlocksDraw(1, d, nullptr, 0, 0, 0, 0, 1, 1); } },
        { "transparent without mask",
            [&](auto& l, auto& d) {
                l.KalvonBlocksDrawTransparent(1, d, blocks.get(), nullptr, 0, 0, 0, 0, 1, 1);
            } },
        { "no skin", [](auto& l, auto& d) { l.KalvonBasicBlocksDraw(2, d, nullptr, 0, 0); } },
        { "frame past the sheet",
            [&](auto& l, auto& d) { l.KalvonBlocksDraw(1, d, blocks.get(), 2, 2, 0, 0, 1, 1); } },
        { "frame below 0",
            [&](auto& l, auto& d) { l.KalvonBlocksDraw(1, d, blocks.get(), -1, -1, 0, 0, 1, 1); } },
        { "player 0", [&](auto& l, auto& d) { l.KalvonBlocksDraw(0, d, blocks.get(), 0, 0, 0, 0, 1, 1); } },
        { "player 3", [&](auto& l, auto& d) { l.KalvonBasicBlocksDraw(3, d, skin.get(), 0, 0); } },
        { "board 0", [&](auto& l, auto& d) { l.KalvonInternetBlocksDraw(0, d, blocks.get(), 0, 0, 1, 1); } },
        { "board 6", [&](auto& l, auto& d) { l.KalvonBasicInternetBlocksDraw(6, d, skin.get()); } },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        dc.fill(kUnder);
        c.draw(library, dc);
        EXPECT_TRUE(untouched());
    }
}

TEST_F(LibraryTest, CellUpdatesOutsideTheFieldsAreIgnoredAndWireCodesKept)
{
    const struct {
        int field, column, row;
    } outside[] = { { -1, 0, 0 }, { 2, 0, 0 }, { 0, -1, 0 }, { 0, 12, 0 }, { 0, 0, -1 }, { 0, 0, 22 } };
    for (const auto& c : outside) {
        library.KalvonUpdateBlocks(c.field, c.column, c.row, -1, 1);
        library.KalvonUpdateInternetBlocks(c.field == 2 ? 5 : c.field, c.column, c.row, -1, 1);
    }
    for (int field = 0; field < 2; ++field)
        for (int x = 0; x < kFieldColumns; ++x)
            for (int y = 0; y < kFieldRows; ++y)
                ASSERT_EQ(library.localCell(field, x, y), DrawingLibrary::CellState{});
    EXPECT_FALSE(library.localCell(2, 0, 0));
    EXPECT_FALSE(library.internetCell(5, 0, 0));

    // A board's codes arrive from the network: any value is stored, and none without a tile draws.
    for (int code : { -90, 22, 89, 96, 165 }) {
        library.KalvonUpdateInternetBlocks(4, 0, 0, -1, code);
        EXPECT_EQ(library.internetCell(4, 0, 0), (DrawingLibrary::CellState{ true, int16_t(code) }));
        library.KalvonInternetBlocksDraw(5, dc, blocks.get(), 0, 0, 1, 1);
        EXPECT_TRUE(untouched()) << code;
    }
}

TEST_F(LibraryTest, SmoothOffsetMovesOnlyTheFallingPieceAndShakeMovesEveryBlockClipped)
{
    loadField(0,
        {
            "b...........",
            "............",
            "3..........c",
        });
    library.KalvonBlocksDraw(1, dc, blocks.get(), 0, 0, 5, 0, 1, 1);
    EXPECT_EQ(at(8, 16 * 19 + 2), kUnderName); // the falling cell left its row's top...
    EXPECT_EQ(at(8, 16 * 20 + 4), "T1f0"); // ...and reaches into the row below
    EXPECT_EQ(at(8, 16 * 21 + 2), "T3f0"); // the locked cell stays
    EXPECT_EQ(at(11 * 16 + 8, 16 * 21 + 4), kUnderName); // moved down although at the bottom: cut off
    EXPECT_EQ(at(11 * 16 + 8, 351), "T2f0");

    dc.fill(kUnder);
    library.KalvonBlocksDraw(1, dc, blocks.get(), 0, 0, 0, -8, 1, 1);
    EXPECT_EQ(at(0, 16 * 21 + 8), "T3f0");
    EXPECT_EQ(at(8, 16 * 21 + 8), kUnderName);
    EXPECT_EQ(at(183, 16 * 21 + 8), "T2f0");
    EXPECT_EQ(at(184, 16 * 21 + 8), kUnderName);

    dc.fill(kUnder);
    library.KalvonBlocksDraw(1, dc, blocks.get(), 0, 0, 0, 8, 1, 1);
    EXPECT_EQ(at(7, 16 * 21 + 8), kUnderName);
    EXPECT_EQ(at(191, 16 * 21 + 8), "T2f0");
}

TEST_F(LibraryTest, NextPieceIsOrientationOneCentredInItsFallingColour)
{
    struct Expected {
        int type;
        int tile;
        std::vector<std::pair<int, int>> cells; // top-left corners
    };
    const Expected cases[] = {
        { 0, 1, { { 14, 38 }, { 30, 22 }, { 30, 38 }, { 46, 38 } } },
        { 1, 0, { { 6, 30 }, { 22, 30 }, { 38, 30 }, { 54, 30 } } },
        { 2, 2, { { 14, 22 }, { 30, 22 }, { 30, 38 }, { 46, 38 } } },
        { 3, 4, { { 14, 38 }, { 30, 38 }, { 30, 22 }, { 46, 22 } } },
        { 4, 5, { { 22, 22 }, { 38, 22 }, { 22, 38 }, { 38, 38 } } },
        { 5, 3, { { 14, 22 }, { 30, 22 }, { 46, 22 }, { 14, 38 } } },
        { 6, 2, { { 14, 22 }, { 30, 22 }, { 46, 22 }, { 46, 38 } } },
        { -1, 0, {} },
        { 7, 0, {} },
        { 999, 0, {} },
    };
    Surface window(77, 77);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.type);
        window.fill(kUnder);
        library.KalvonNextBlock(window, blocks.get(), c.type, 1);
        // Drawn exactly where the cells lie.
        int wrong = 0;
        for (int y = 0; y < 77; ++y) {
            for (int x = 0; x < 77; ++x) {
                bool inCell = false;
                for (const auto& [cx, cy] : c.cells)
                    inCell = inCell || (x >= cx && x < cx + 16 && y >= cy && y < cy + 16);
                wrong += inCell != (window.pixel(x, y) != kUnder);
            }
        }
        EXPECT_EQ(wrong, 0);
        for (const auto& [x, y] : c.cells)
            EXPECT_EQ(pixelName(window.pixel(x + 8, y + 8)), "T" + std::to_string(c.tile) + "f1");
    }

    window.fill(kUnder);
    library.KalvonBasicNextBlockTransparent(window, skin.get(), skinMask.get(), 4);
    EXPECT_EQ(pixelName(window.pixel(30, 30)), "S5");
    EXPECT_EQ(window.pixel(23, 23), kUnder);
}

TEST_F(LibraryTest, SpecialWindowShowsItsFrameThenTheInventoryAtHandFirst)
{
    const Sheet window = testing::frameStrip(Area::SpecialWindow, 160, 16, 2);
    Surface strip(160, 16);
    library.KalvonUpdateSpecials("\x14\x0d\x06", 1);

    strip.fill(kUnder);
    library.KalvonSpecialWindowDraw(strip, window.get(), blocks.get(), mask.get(), 1, 1);
    EXPECT_EQ(pixelName(strip.pixel(8, 8)), "T20f0");
    EXPECT_EQ(pixelName(strip.pixel(24, 8)), "T13f0");
    EXPECT_EQ(pixelName(strip.pixel(40, 8)), "T6f0");
    EXPECT_EQ(pixelName(strip.pixel(1, 1)), "SpecialWindow2"); // through the tile's white
    EXPECT_EQ(pixelName(strip.pixel(56, 8)), "SpecialWindow2");

    strip.fill(kUnder);
    library.KalvonSpecialWindowDraw(strip, window.get(), blocks.get(), nullptr, 1, 2); // no frame 3
    EXPECT_EQ(pixelName(strip.pixel(1, 1)), "W");
    EXPECT_EQ(strip.pixel(56, 8), kUnder);

    strip.fill(kUnder);
    library.KalvonSpecialWindowDraw(strip, window.get(), blocks.get(), mask.get(), 2, 0);
    EXPECT_EQ(pixelName(strip.pixel(8, 8)), "SpecialWindow1"); // player 2 holds nothing

    strip.fill(kUnder);
    library.KalvonBasicSpecialWindowDraw(strip, window.get(), skin.get(), nullptr, 1);
    EXPECT_EQ(pixelName(strip.pixel(8, 8)), "S20");
    EXPECT_EQ(strip.pixel(56, 8), kUnder);

    library.KalvonUpdateSpecials("\x06\x07\x08\x09\x0a\x0b\x0c\x0d\x0e\x0f\x10\x11", 1);
    EXPECT_EQ(library.inventory(1), "\x06\x07\x08\x09\x0a\x0b\x0c\x0d\x0e\x0f");
    library.KalvonUpdateSpecials("\x06", 3);
    EXPECT_EQ(library.inventory(3), "");
}

TEST_F(LibraryTest, TrailIsAGradientThatFadesOutOverThreeHundredMilliseconds)
{
    library.KalvonTrailGenerate(0xFFFFFF);
    library.KalvonTrailUpdate(1, 2, 3, 2, 4); // x 32..63, y 48..111
    const struct {
        int64_t age;
        int bottom; // red at the trail's last row (white over black)
        int top; // at its first row
    } cases[] = { { 0, 192, 3 }, { 150, 96, 1 }, { 299, 0, 0 } };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.age);
        clock.set(1000 + c.age);
        dc.fill(kBlackPixel);
        library.KalvonTrailDraw(1, dc, dc);
        EXPECT_EQ(qRed(dc.pixel(32, 111)), c.bottom);
        EXPECT_EQ(qRed(dc.pixel(63, 48)), c.top);
        EXPECT_EQ(dc.pixel(64, 111), kBlackPixel);
        EXPECT_EQ(dc.pixel(32, 112), kBlackPixel);
        EXPECT_EQ(dc.pixel(31, 111), kBlackPixel);
    }

    const struct {
        const char* name;
        std::function<void(DrawingLibrary&)> prepare;
    } none[] = {
        { "after 300 ms",
            [&](DrawingLibrary& l) {
                l.KalvonTrailUpdate(1, 2, 3, 2, 4);
                clock.advance(300);
            } },
        { "cleared",
            [](DrawingLibrary& l) {
                l.KalvonTrailUpdate(1, 2, 3, 2, 4);
                l.KalvonTrailClear(1);
            } },
        { "no rows", [](DrawingLibrary& l) { l.KalvonTrailUpdate(1, 2, 3, 2, 0); } },
        { "no width", [](DrawingLibrary& l) { l.KalvonTrailUpdate(1, 2, 3, 0, 4); } },
        { "the other player's",
            [](DrawingLibrary& l) {
                l.KalvonTrailClear(1);
                l.KalvonTrailUpdate(2, 2, 3, 2, 4);
            } },
    };
    for (const auto& c : none) {
        SCOPED_TRACE(c.name);
        clock.set(5000);
        c.prepare(library);
        dc.fill(kUnder);
        library.KalvonTrailDraw(1, dc, dc);
        EXPECT_TRUE(untouched());
    }

    DrawingLibrary fresh(clock);
    fresh.KalvonTrailUpdate(1, 2, 3, 2, 4);
    fresh.KalvonTrailDraw(1, dc, dc);
    EXPECT_TRUE(untouched()) << "no colour generated";

    // A trail reaching past the field is cut at its edges.
    library.KalvonTrailUpdate(1, -1, 20, 14, 5);
    library.KalvonTrailDraw(1, dc, dc);
    EXPECT_NE(dc.pixel(0, 351), kUnder);
    EXPECT_NE(dc.pixel(191, 320), kUnder);
}

TEST_F(LibraryTest, ShadowHalvesOneCellAndSkipsCellsOffTheField)
{
    const QRgb ground = qRgb(200, 101, 51);
    dc.fill(ground);
    library.KalvonShadowDraw(3, 4, dc, dc);
    EXPECT_EQ(dc.pixel(48, 64), qRgb(100, 50, 25));
    EXPECT_EQ(dc.pixel(63, 79), qRgb(100, 50, 25));
    EXPECT_EQ(dc.pixel(64, 79), ground);
    EXPECT_EQ(dc.pixel(48, 80), ground);

    for (const auto& [column, row] : { std::pair{ -1, 0 }, { 12, 0 }, { 0, -1 }, { 0, 22 } }) {
        dc.fill(ground);
        library.KalvonShadowDraw(column, row, dc, dc);
        Surface same(192, 352);
        same.fill(ground);
        EXPECT_EQ(dc.image(), same.image()) << column << "," << row;
    }
}

TEST_F(LibraryTest, BombsShowTheirFrameFromOneUntilKilled)
{
    const Sheet bomb = testing::frameStrip(Area::Bomb, 64, 64, 17, true);
    const Sheet bombMask = testing::maskOf(*bomb);
    auto drawn = [&](bool transparent) {
        dc.fill(kUnder);
        if (transparent)
            library.KalvonBombDrawTransparent(1, dc, bomb.get(), bombMask.get());
        else
            library.KalvonBombDraw(1, dc, bomb.get());
        return std::pair{ at(40, 72), at(33, 65) }; // middle and corner of a bomb at cell (2, 4)
    };
    library.KalvonBombCreate(1, 2, 4, 0);
    EXPECT_EQ(drawn(true), (std::pair<std::string, std::string>{ "Bomb1", kUnderName }));
    EXPECT_EQ(drawn(false), (std::pair<std::string, std::string>{ "Bomb1", "W" }));
    library.KalvonBombFrame(1, 0, 3);
    EXPECT_EQ(drawn(true).first, "Bomb3");
    library.KalvonBombFrame(1, 0, 18); // past the strip
    EXPECT_EQ(drawn(true).first, kUnderName);
    library.KalvonBombFrame(1, 0, 17);
    EXPECT_EQ(drawn(true).first, "Bomb17");

    // A second bomb at the left edge (cell -2) shows its right half.
    library.KalvonBombCreate(1, -2, 10, 9);
    drawn(true);
    EXPECT_EQ(at(20, 168), "Bomb1");

    library.KalvonBombKill(1, 0);
    library.KalvonBombKill(1, 9);
    library.KalvonBombFrame(1, 0, 5); // a killed slot stays dead
    drawn(true);
    EXPECT_TRUE(untouched());

    for (const auto& [p, x, y, slot] : { std::tuple{ 3, 2, 4, 0 }, { 0, 2, 4, 0 }, { 1, 2, 4, 10 },
             { 1, 2, 4, -1 }, { 1, 12, 4, 0 }, { 1, -4, 4, 0 }, { 1, 2, 22, 0 } }) {
        library.KalvonBombCreate(p, x, y, slot);
        drawn(false);
        EXPECT_TRUE(untouched()) << p << " " << x << " " << y << " " << slot;
    }
}

TEST_F(LibraryTest, TeamNameDrawsUpToTwentyThreeGlyphsWhiteTransparent)
{
    const Sheet font = testing::teamFont();
    library.KalvonTeamDraw(dc, font.get(), "AB");
    EXPECT_TRUE(untouched()) << "before the font table";

    library.KalvonGenerateFontTable();
    library.KalvonTeamDraw(dc, font.get(), "A\xE9");
    EXPECT_EQ(at(5, 5), "Glyph65");
    EXPECT_EQ(at(13, 11), "Glyph233");
    EXPECT_EQ(at(11, 5), kUnderName); // the glyph's white column
    EXPECT_EQ(at(3, 5), kUnderName);
    EXPECT_EQ(at(5, 12), kUnderName);

    dc.fill(kUnder);
    library.KalvonTeamDraw(dc, font.get(), std::string(30, 'x'));
    EXPECT_EQ(at(4 + 22 * 8, 5), "Glyph120");
    EXPECT_EQ(at(4 + 23 * 8, 5), kUnderName);

    dc.fill(kUnder);
    library.KalvonTeamDraw(dc, nullptr, "AB");
    EXPECT_TRUE(untouched());
}

} // namespace
} // namespace kalvon
