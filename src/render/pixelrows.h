#pragma once
// Per-pixel effects drawn a row at a time, straight into the surface: each row of the
// rectangle is read from the background and written into the drawing in one pass, with no
// scratch picture and no call per pixel. The blends work on four pixels at a time.

#include "platform/surface.h"

#include <algorithm>
#include <cstring>

namespace kalvon {

// The blend of the image library: over * alpha + under * (255 - alpha), rounded, per channel.
inline QRgb blendPixel(QRgb over, QRgb under, int alpha)
{
    const auto channel = [alpha](int o, int u) { return (o * alpha + u * (255 - alpha) + 127) / 255; };
    return qRgb(channel(qRed(over), qRed(under)), channel(qGreen(over), qGreen(under)),
        channel(qBlue(over), qBlue(under)));
}

namespace pixelrows {

using PixelQuad = uint32_t __attribute__((vector_size(16)));
using ChannelLanes = uint16_t __attribute__((vector_size(16)));

// blendPixel on four pixels. Two channels share a 32-bit pixel's halves as 16-bit lanes: a
// channel's o * a + u * (255 - a) + 127 stays below 65536, and (x + 1 + (x >> 8)) >> 8 is
// x / 255 for every such x.
inline PixelQuad blendQuad(PixelQuad over, PixelQuad under, ChannelLanes alpha, ChannelLanes rest)
{
    constexpr uint32_t kLowChannels = 0x00ff00ff;
    const auto pair = [&](PixelQuad o, PixelQuad u) {
        const ChannelLanes x = ChannelLanes(o) * alpha + ChannelLanes(u) * rest + 127;
        return PixelQuad((x + 1 + (x >> 8)) >> 8);
    };
    const PixelQuad redBlue = pair(over & kLowChannels, under & kLowChannels);
    const PixelQuad green = pair((over >> 8) & kLowChannels, (under >> 8) & kLowChannels);
    return redBlue | (green << 8) | 0xff000000;
}

inline PixelQuad loadQuad(const QRgb* from)
{
    PixelQuad quad;
    std::memcpy(&quad, from, sizeof quad);
    return quad;
}

inline void storeQuad(QRgb* to, PixelQuad quad)
{
    std::memcpy(to, &quad, sizeof quad);
}

// out[i] = blendPixel(over[i], under[i], alpha); out may be under.
inline void blendRow(QRgb* out, const QRgb* over, const QRgb* under, int count, int alpha)
{
    const ChannelLanes a = ChannelLanes{} + uint16_t(alpha);
    const ChannelLanes rest = ChannelLanes{} + uint16_t(255 - alpha);
    int i = 0;
    for (; i + 4 <= count; i += 4)
        storeQuad(out + i, blendQuad(loadQuad(over + i), loadQuad(under + i), a, rest));
    for (; i < count; ++i)
        out[i] = blendPixel(over[i], under[i], alpha);
}

// out[i] = blendPixel(color, under[i], alpha); out may be under.
inline void blendRowWithColor(QRgb* out, QRgb color, const QRgb* under, int count, int alpha)
{
    const ChannelLanes a = ChannelLanes{} + uint16_t(alpha);
    const ChannelLanes rest = ChannelLanes{} + uint16_t(255 - alpha);
    const PixelQuad over = PixelQuad{} + color;
    int i = 0;
    for (; i + 4 <= count; i += 4)
        storeQuad(out + i, blendQuad(over, loadQuad(under + i), a, rest));
    for (; i < count; ++i)
        out[i] = blendPixel(color, under[i], alpha);
}

} // namespace pixelrows

// Calls `rowFunction(out, under, count, column, row)` for each row of the w x h rectangle at
// (x, y) cut to `dc` (and to the rows it may draw) and `background` (which may be `dc`): `out`
// points at the row's first pixel in `dc`, `under` at the same place in `background`, and
// column and row are counted from the rectangle's (uncut) top left. The function must keep
// every pixel's top byte 0xff.
template <typename RowFunction>
void forEachRow(Surface& dc, const Surface& background, int x, int y, int w, int h, RowFunction rowFunction)
{
    const Surface::Rows drawable = dc.drawableRows();
    const int left = std::max(x, 0);
    const int top = std::max(y, drawable.first);
    const int right = std::min({ x + w, dc.width(), background.width() });
    const int bottom = std::min({ y + h, drawable.end, background.height() });
    if (left >= right || top >= bottom)
        return;
    // The drawing's buffer first, so a background that shared it keeps its own.
    QRgb* out = dc.pixels();
    const QRgb* under = background.constPixels();
    for (int row = top; row < bottom; ++row)
        rowFunction(out + qsizetype(row) * dc.width() + left,
            under + qsizetype(row) * background.width() + left, right - left, left - x, row - y);
}

// Writes into `dc` over the w x h rectangle at (x, y) the pixels `pixel(column, row, under)`
// gives, `under` being the pixel of `background` there (`background` may be `dc`). The
// rectangle is cut to both surfaces; column and row are counted from its (uncut) top left.
template <typename PixelFunction>
void transformRect(Surface& dc, const Surface& background, int x, int y, int w, int h, PixelFunction pixel)
{
    forEachRow(dc, background, x, y, w, h, [&](QRgb* out, const QRgb* under, int count, int column, int row) {
        for (int i = 0; i < count; ++i)
            out[i] = pixel(column + i, row, under[i]) | kBlackPixel;
    });
}

// Lays `over` (its top left w x h) on `dc` at (x, y) with one opacity for every pixel.
// `over` is another surface than `dc`.
inline void blendUniform(Surface& dc, int x, int y, int w, int h, const Surface& over, int alpha)
{
    const int a = std::clamp(alpha, 0, 255);
    const QRgb* overPixels = nullptr;
    forEachRow(dc, dc, x, y, std::min(w, over.width()), std::min(h, over.height()),
        [&](QRgb* out, const QRgb* under, int count, int column, int row) {
            if (!overPixels)
                overPixels = over.constPixels();
            pixelrows::blendRow(out, overPixels + qsizetype(row) * over.width() + column, under, count, a);
        });
}

} // namespace kalvon
