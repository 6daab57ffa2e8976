// Effects drawn a row at a time give exactly the pixels of the per-pixel blend they stand for.

#include "platform/imagecontext.h"
#include "render/alphablend.h"
#include "render/pixelrows.h"

#include <gtest/gtest.h>

namespace kalvon {
namespace {

Surface pattern(int width, int height, int seed)
{
    Surface surface(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            surface.setPixel(x, y,
                qRgb((x * 37 + y * 11 + seed) & 0xff, (x * 5 + y * 71 + seed) & 0xff,
                    (x * y + seed * 3) & 0xff));
    return surface;
}

TEST(PixelRows, UniformBlendGivesWhatTheImageLibrarysBlendGives)
{
    const Surface field = pattern(192, 352, 1);
    const Surface strip = pattern(192, 64, 2);
    for (int alpha : { 0, 1, 120, 128, 250, 255, 300, -4 }) {
        SCOPED_TRACE(alpha);
        Surface expected = field;
        ImageContext context;
        context.takePixels(strip);
        AlphaBlendImage(expected, 0, 296, expected, 0, 296, context, 0, 0, 192, 64, int16_t(alpha));
        Surface actual = field;
        blendUniform(actual, 0, 296, 192, 64, strip, alpha);
        EXPECT_EQ(actual.image(), expected.image());
    }
}

TEST(PixelRows, TransformIsCutToBothSurfacesAndCountsFromTheRectanglesCorner)
{
    Surface dc(10, 10);
    dc.fill(kWhitePixel);
    const Surface background(6, 20);
    transformRect(dc, background, -2, 3, 20, 20, [](int column, int row, QRgb under) {
        return under == kBlackPixel ? qRgb(column, row, 9) : kWhitePixel;
    });
    EXPECT_EQ(dc.pixel(0, 3), qRgb(2, 0, 9));
    EXPECT_EQ(dc.pixel(5, 9), qRgb(7, 6, 9));
    EXPECT_EQ(dc.pixel(6, 5), kWhitePixel);
    EXPECT_EQ(dc.pixel(0, 2), kWhitePixel);

    // Limited to rows 4 and 5, the rows outside are left alone and the counting stays.
    dc.fill(kWhitePixel);
    {
        const DrawingRows limit(dc, 4, 6);
        transformRect(
            dc, background, -2, 3, 20, 20, [](int column, int row, QRgb) { return qRgb(column, row, 9); });
    }
    EXPECT_EQ(dc.pixel(0, 3), kWhitePixel);
    EXPECT_EQ(dc.pixel(0, 4), qRgb(2, 1, 9));
    EXPECT_EQ(dc.pixel(5, 5), qRgb(7, 2, 9));
    EXPECT_EQ(dc.pixel(0, 6), kWhitePixel);
}

} // namespace
} // namespace kalvon
