// The next-piece and special windows beside the fields, on a tile-coded theme.

#include "renderrig.h"

#include <gtest/gtest.h>

namespace kalvon {
namespace {

using testing::FrameRecorder;
using testing::pixelName;
using testing::RenderRig;

class PieceWindowsTest : public ::testing::Test {
protected:
    PieceWindowsTest()
    {
        rig.pictures.picNextPiece[1].setViewer(&nextShown);
        rig.pictures.picSpecials[1].setViewer(&specialsShown);
        rig.state().NextPiece[1] = int16_t(PieceType::Square); // tile 5 at (22, 22)..(53, 53)
    }

    std::string next(int x, int y) { return pixelName(rig.pictures.picNextPiece[1].canvas().pixel(x, y)); }
    std::string special(int x, int y) { return pixelName(rig.pictures.picSpecials[1].canvas().pixel(x, y)); }

    RenderRig rig;
    FrameRecorder nextShown;
    FrameRecorder specialsShown;
};

TEST_F(PieceWindowsTest, NextPieceWindowFollowsItsOwnFramesAndThePieceTheBlocksFrames)
{
    ThemeRecord& t = rig.themes.CurrentTheme;
    t.nextblkanimated = true;
    t.nextblkreverseanimation = true;
    const struct {
        bool windowOption, blocksOption;
        int16_t current;
        const char* window;
        const char* piece;
    } cases[] = {
        { true, true, 1, "NextWindow4", "T5f1" }, { true, true, 2, "NextWindow3", "T5f1" },
        { true, false, 3, "NextWindow2", "T5f0" }, { true, true, 4, "NextWindow1", "T5f1" },
        { false, false, 4, "NextWindow2", "T5f0" }, // both still frames
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.current);
        rig.options.animateNextPiece = c.windowOption;
        rig.options.animateBlocks = c.blocksOption;
        t.nextblkcurrentframe = c.current;
        rig.renderer.DrawNextPiece(1);
        EXPECT_EQ(next(2, 2), c.window);
        EXPECT_EQ(next(30, 30), c.piece);
        EXPECT_EQ(next(23, 23), c.window); // the tile's white corner
    }
    t.nextblkanimated = false;
    rig.options.animateNextPiece = true;
    rig.renderer.DrawNextPiece(1);
    EXPECT_EQ(next(2, 2), "NextWindow2");
    EXPECT_EQ(nextShown.frames.size(), 6u);
}

TEST_F(PieceWindowsTest, TypeZeroNextPieceLiesOnTheSkinsPictureWhenItHasOne)
{
    testing::makeTypeZeroTheme(rig.themes.CurrentTheme, rig.images, true);
    ThemeRecord& t = rig.themes.CurrentTheme;
    t.nextblockpic = true;
    rig.renderer.DrawNextPiece(1);
    EXPECT_EQ(next(2, 2), "SkinNext0");
    EXPECT_EQ(next(30, 30), "S5");
    EXPECT_EQ(next(23, 23), "SkinNext0");
    t.nextblockpic = false;
    rig.renderer.DrawNextPiece(1);
    EXPECT_EQ(next(2, 2), "B");
    EXPECT_EQ(next(23, 23), "B");
}

TEST_F(PieceWindowsTest, NextPieceWindowWaitsForTheExplosionButTheSpecialWindowDoesNot)
{
    rig.renderer.UpdateSpecialsWindow(1);
    rig.state().FieldExplodeRunning[1] = true;
    rig.renderer.DrawNextPiece(1);
    rig.renderer.DrawSpecialWindow(1);
    EXPECT_TRUE(nextShown.frames.empty());
    EXPECT_EQ(specialsShown.frames.size(), 1u);

    rig.state().FieldExplodeRunning[1] = false;
    rig.images.rebuilding = true;
    rig.renderer.DrawNextPiece(1);
    rig.renderer.DrawSpecialWindow(1);
    EXPECT_TRUE(nextShown.frames.empty());
    EXPECT_EQ(specialsShown.frames.size(), 1u);
}

TEST_F(PieceWindowsTest, InventoryGoesToTheLibraryNewestFirstAtMostTen)
{
    const struct {
        std::vector<int16_t> items; // in the order they were collected
        Bytes text;
    } cases[] = {
        { { 6, 13, 20 }, "\x14\x0d\x06" },
        { {}, "" },
        { { 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17 }, "\x11\x10\x0f\x0e\x0d\x0c\x0b\x0a\x09\x08" },
    };
    for (const auto& c : cases) {
        rig.state().lstSpecials[2] = c.items;
        rig.renderer.UpdateSpecialsWindow(2);
        EXPECT_EQ(rig.library.inventory(2), c.text);
    }
}

TEST_F(PieceWindowsTest, SpecialWindowShowsTheSetsCurrentFrameAndTheInventory)
{
    rig.state().lstSpecials[1] = { 6, 21 };
    rig.renderer.UpdateSpecialsWindow(1);
    rig.renderer.DrawSpecialWindow(1);
    EXPECT_EQ(special(8, 8), "T21f0");
    EXPECT_EQ(special(24, 8), "T6f0");
    EXPECT_EQ(special(17, 1), "SpecialWindow2");
    EXPECT_EQ(special(40, 8), "SpecialWindow2");

    rig.themes.CurrentTheme.blktransparency = false;
    rig.themes.CurrentTheme.specialwindowcurrentframe = 1;
    rig.renderer.DrawSpecialWindow(1);
    EXPECT_EQ(special(17, 1), "W");
    EXPECT_EQ(special(40, 8), "SpecialWindow1");

    testing::makeTypeZeroTheme(rig.themes.CurrentTheme, rig.images, true);
    rig.renderer.DrawSpecialWindow(1);
    EXPECT_EQ(special(8, 8), "S21");
    EXPECT_EQ(special(17, 1), "B");
    EXPECT_EQ(special(40, 8), "B");
    EXPECT_EQ(specialsShown.frames.size(), 3u);
}

} // namespace
} // namespace kalvon
