#include "platform/surface.h"
#include "surfacegrid.h"

#include <functional>
#include <gtest/gtest.h>

namespace kalvon {
namespace {

using testing::gridSurface;
using testing::gridText;

TEST(SurfaceTest, RasterOperationsCombineTheColourBitsAndKeepPixelsOpaque)
{
    const QRgb destination = 0xfff00f55;
    const QRgb source = 0xffcc330f;
    const struct {
        RasterOp op;
        QRgb expected;
    } cases[] = {
        { RasterOp::Copy, 0xffcc330f },
        { RasterOp::Or, 0xfffc3f5f },
        { RasterOp::And, 0xffc00305 },
        { RasterOp::Xor, 0xff3c3c5a },
        { RasterOp::NotCopy, 0xff33ccf0 },
    };
    for (const auto& c : cases) {
        Surface target(1, 1);
        target.setPixel(0, 0, destination);
        Surface from(1, 1);
        from.setPixel(0, 0, source);
        target.bitBlt(0, 0, 1, 1, from, 0, 0, c.op);
        EXPECT_EQ(target.pixel(0, 0), c.expected) << int(c.op);
    }
}

TEST(SurfaceTest, BlitsAreClippedAtBothSurfacesAndLeaveUnreachedPixelsAlone)
{
    const Surface source = gridSurface("123/456/789");
    const struct {
        const char* name;
        int dx, dy, w, h, sx, sy;
        const char* expected;
    } cases[] = {
        { "past the destination's bottom right", 2, 2, 3, 3, 0, 0, "..../..../..12/..45" },
        { "before the destination's top left", -1, -1, 3, 3, 0, 0, "56../89../..../...." },
        { "reading past the source's edges", 0, 0, 4, 4, 1, 1, "56../89../..../...." },
        { "reading before the source's start", 0, 0, 4, 1, -2, 0, "..12/..../..../...." },
        { "empty rectangle", 0, 0, 0, 3, 0, 0, "..../..../..../...." },
    };
    for (const auto& c : cases) {
        Surface target = gridSurface("..../..../..../....");
        target.bitBlt(c.dx, c.dy, c.w, c.h, source, c.sx, c.sy);
        EXPECT_EQ(gridText(target), c.expected) << c.name;
    }
}

// While the drawing is limited to some rows, every operation leaves the other rows as they are
// and draws the limited ones as it would have drawn them; afterwards it draws everywhere again.
TEST(SurfaceTest, DrawingLimitedToRowsLeavesTheOtherRowsAlone)
{
    const Surface source = gridSurface("4567/89ab/cdef/gh45");
    const Surface sprite = gridSurface("W5W7/W9Wb/WdWf/WhW5");
    const Surface mask = gridSurface("BWBW/BWBW/BWBW/BWBW");
    const struct {
        const char* name;
        std::function<void(Surface&)> draw;
        const char* expected;
    } cases[] = {
        { "copy", [&](Surface& s) { s.bitBlt(0, 0, 4, 4, source, 0, 0); }, "0000/89ab/cdef/3333" },
        { "copy one row down", [&](Surface& s) { s.bitBlt(0, 1, 4, 4, source, 0, 0); },
            "0000/4567/89ab/3333" },
        { "within itself", [](Surface& s) { s.bitBlt(0, 1, 4, 3, s, 0, 0); }, "0000/0000/1111/3333" },
        { "masked sprite", [&](Surface& s) { s.drawMasked(0, 0, 4, 4, sprite, mask, 0, 0); },
            "0000/191b/2d2f/3333" },
        { "stretched", [&](Surface& s) { s.stretchBlt(0, 0, 4, 4, source, 0, 0, 2, 2); },
            "0000/4455/8899/3333" },
        { "fill", [](Surface& s) { s.fill(kWhitePixel); }, "0000/WWWW/WWWW/3333" },
        { "pixels set",
            [](Surface& s) {
                for (int i = 0; i < 4; ++i)
                    s.setPixel(i, i, kBlackPixel);
            },
            "0000/1B11/22B2/3333" },
    };
    for (const auto& c : cases) {
        Surface target = gridSurface("0000/1111/2222/3333");
        {
            const DrawingRows limit(target, 1, 3);
            c.draw(target);
        }
        EXPECT_EQ(gridText(target), c.expected) << c.name;
        target.fill(kBlackPixel);
        EXPECT_EQ(gridText(target), "BBBB/BBBB/BBBB/BBBB") << c.name;
    }
}

TEST(SurfaceTest, BlitWithinOneSurfaceReadsTheSourceBeforeWritingIt)
{
    Surface strip = gridSurface("1234");
    strip.bitBlt(1, 0, 3, 1, strip, 0, 0);
    EXPECT_EQ(gridText(strip), "1123");
}

TEST(SurfaceTest, SetPixelOutsideTheSurfaceIsIgnored)
{
    Surface surface = gridSurface("../..");
    for (const auto& [x, y] : { std::pair{ -1, 0 }, { 0, -1 }, { 2, 0 }, { 0, 2 } })
        surface.setPixel(x, y, kWhitePixel);
    surface.setPixel(1, 1, kWhitePixel);
    EXPECT_EQ(gridText(surface), "../.W");
}

TEST(SurfaceTest, StretchBltSamplesTheNearestSourcePixel)
{
    const struct {
        const char* name;
        const char* source;
        int dx, dy, dw, dh, sx, sy, sw, sh;
        const char* destination;
        const char* expected;
    } cases[] = {
        { "doubled", "12/34", 0, 0, 4, 4, 0, 0, 2, 2, "..../..../..../....", "1122/1122/3344/3344" },
        { "halved", "1234/5678/9abc/defg", 0, 0, 2, 2, 0, 0, 4, 4, "../..", "13/9b" },
        { "clipped left, past the source", "12/34", -1, 0, 4, 2, 1, 0, 2, 2, "..../....", "2.../4..." },
        { "no size", "12/34", 0, 0, 0, 2, 0, 0, 2, 2, "../..", "../.." },
    };
    for (const auto& c : cases) {
        Surface target = gridSurface(c.destination);
        target.stretchBlt(c.dx, c.dy, c.dw, c.dh, gridSurface(c.source), c.sx, c.sy, c.sw, c.sh);
        EXPECT_EQ(gridText(target), c.expected) << c.name;
    }
}

TEST(BuildMaskTest, MaskIsBlackWhereTheSourceIsWhiteOverAnAreaOnePixelShort)
{
    const struct {
        const char* name;
        const char* source;
        int right, bottom;
        const char* expected;
    } cases[] = {
        { "area one pixel short", "W1W2/3WWW/WW45", 4, 3, "BWB../WBB../...../....." },
        { "exact fit by passing the size plus one", "W1W2/3WWW/WW45", 5, 4, "BWBW./WBBB./BBWW./....." },
        { "reaching past the source is opaque", "W1W2/3WWW/WW45", 7, 3, "BWBWW/WBBBW/...../....." },
        { "no area", "W1W2/3WWW/WW45", 1, 3, "...../...../...../....." },
    };
    for (const auto& c : cases) {
        Surface mask = gridSurface("...../...../...../.....");
        BuildMask(mask, gridSurface(c.source), 0, 0, c.right, c.bottom);
        EXPECT_EQ(gridText(mask), c.expected) << c.name;
    }
}

TEST(BuildMaskTest, RectangleOfTheBlockSheetGivesA111By84Mask)
{
    Surface source(112, 85);
    source.fill(kWhitePixel);
    Surface mask(112, 85);
    mask.fill(testing::gridColor('.'));
    BuildMask(mask, source, 0, 0, 112, 85);
    EXPECT_EQ(mask.pixel(0, 0), kBlackPixel);
    EXPECT_EQ(mask.pixel(110, 83), kBlackPixel);
    EXPECT_EQ(mask.pixel(111, 0), testing::gridColor('.'));
    EXPECT_EQ(mask.pixel(0, 84), testing::gridColor('.'));
}

TEST(SurfaceTest, MaskedSpriteShowsTheDestinationThroughWhitePixels)
{
    const Surface picture = gridSurface("W1W/2WW");
    Surface mask(3, 2);
    BuildMask(mask, picture, 0, 0, 4, 3);
    Surface target = gridSurface("abcd/efgh");
    target.drawMasked(1, 0, 3, 2, picture, mask, 0, 0);
    EXPECT_EQ(gridText(target), "ab1d/e2gh");
}

} // namespace
} // namespace kalvon
