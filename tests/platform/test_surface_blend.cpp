#include "platform/imagecontext.h"
#include "surfacegrid.h"

#include <gtest/gtest.h>

namespace kalvon {
namespace {

TEST(ImageContextTest, BlendWeighsTheContextByItsAlphaOverTheTarget)
{
    const QRgb under = qRgb(10, 200, 0);
    const QRgb over = qRgb(250, 0, 101);
    const struct {
        uint8_t alpha;
        QRgb expected;
    } cases[] = {
        { 0, under },
        { 255, over },
        // (s * 128 + t * 127 + 127) / 255 per channel
        { 128, qRgb((250 * 128 + 10 * 127 + 127) / 255, (200 * 127 + 127) / 255, (101 * 128 + 127) / 255) },
    };
    for (const auto& c : cases) {
        Surface picture(1, 1);
        picture.setPixel(0, 0, over);
        ImageContext context;
        context.takePixels(picture);
        context.setChannelBits(ImageContext::kAlphaChannel, Bytes(1, char(c.alpha)), 0, 0, 1, 1);
        Surface target(1, 1);
        target.setPixel(0, 0, under);
        context.alphaBlendOnto(target, 0, 0, 0, 0, 1, 1);
        EXPECT_EQ(target.pixel(0, 0), c.expected) << int(c.alpha);
    }
}

TEST(ImageContextTest, ChannelBitsSetOnlyTheirRectangleRowByRow)
{
    ImageContext context;
    context.takePixels(Surface(3, 3));
    context.setChannelBits(ImageContext::kAlphaChannel, "\1\2\3\4", 1, 1, 2, 2);
    context.setChannelBits(0, "\0\0\0", 0, 0, 3, 1); // not the alpha channel: ignored
    const uint8_t expected[3][3] = { { 255, 255, 255 }, { 255, 1, 2 }, { 255, 3, 4 } };
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(context.alpha(x, y), expected[y][x]) << x << "," << y;
    }
}

} // namespace
} // namespace kalvon
