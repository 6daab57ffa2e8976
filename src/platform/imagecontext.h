#pragma once
// The image-library context: a picture with an alpha channel of its own, taken from a surface,
// whose rectangles can be given an opacity per pixel and blended over another surface. It
// stands in for the context record of the image library the game was
// designed around; the caller owns it and passes it to every call.

#include "common/bytes.h"
#include "platform/surface.h"

#include <cstdint>
#include <vector>

namespace kalvon {

class ImageContext {
public:
    // The alpha channel's number in setChannelBits.
    static constexpr int kAlphaChannel = 3;

    int width() const { return m_pixels.width(); }
    int height() const { return m_pixels.height(); }

    // Takes the pixels of `surface` (img_DIB_to_context); every pixel starts opaque.
    void takePixels(const Surface& surface);

    // Sets one channel of the w x h rectangle at (x, y) from `bytes`, one byte per pixel, row
    // by row (img_set_channel_bits). Only the alpha channel is kept; other channels and pixels
    // outside the picture are ignored, and missing bytes leave their pixels as they were.
    void setChannelBits(int channel, BytesView bytes, int x, int y, int w, int h);
    uint8_t alpha(int x, int y) const;

    // Draws the w x h rectangle at (x, y) over `target` at (tx, ty), each pixel weighted by its
    // alpha: t' = (s * a + t * (255 - a) + 127) / 255 per colour channel, so alpha 0 leaves the
    // target and 255 gives the context's pixel (img_alpha_blend_DIB).
    void alphaBlendOnto(Surface& target, int tx, int ty, int x, int y, int w, int h) const;

private:
    Surface m_pixels;
    std::vector<uint8_t> m_alpha;
};

} // namespace kalvon
