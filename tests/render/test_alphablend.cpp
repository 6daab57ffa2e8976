#include "platform/imagecontext.h"
#include "platform/surface.h"
#include "render/alphablend.h"

#include <gtest/gtest.h>

namespace kalvon {
namespace {

constexpr QRgb kField = 0xff204060;
constexpr QRgb kStrip = 0xffe0c0a0;

// A 4 x 6 field blended in place: the strip covers rows 2..5, the rows above must not change.
Surface blendedField(int16_t alpha, ImageContext& context)
{
    Surface field(4, 6);
    field.fill(kField);
    Surface strip(4, 4);
    strip.fill(kStrip);
    context.takePixels(strip);
    AlphaBlendImage(field, 0, 2, field, 0, 2, context, 0, 0, 4, 4, alpha);
    return field;
}

TEST(AlphaBlendImageTest, OpacityRunsFromTheBackgroundToTheImageOnTheSameSurface)
{
    const struct {
        int16_t alpha;
        QRgb expected;
        uint8_t storedAlpha;
    } cases[] = {
        { 0, kField, 0 },
        { 255, kStrip, 255 },
        { 102,
            qRgb((0xe0 * 102 + 0x20 * 153 + 127) / 255, (0xc0 * 102 + 0x40 * 153 + 127) / 255,
                (0xa0 * 102 + 0x60 * 153 + 127) / 255),
            102 },
        { 300, kStrip, 255 },
    };
    for (const auto& c : cases) {
        ImageContext context;
        const Surface field = blendedField(c.alpha, context);
        EXPECT_EQ(field.pixel(0, 1), kField) << c.alpha;
        EXPECT_EQ(field.pixel(0, 2), c.expected) << c.alpha;
        EXPECT_EQ(field.pixel(3, 5), c.expected) << c.alpha;
        EXPECT_EQ(context.alpha(3, 3), c.storedAlpha) << "the opacity stays in the context";
    }
}

} // namespace
} // namespace kalvon
