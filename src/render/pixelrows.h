#pragma once
// Per-pixel effects drawn a row at a time: the rectangle's pixels are read row by row, worked
// out into a scratch picture, and copied back with one blit, instead of one call per pixel.

#include "platform/surface.h"

#include <algorithm>

namespace kalvon {

// The blend of the image library: over * alpha + under * (255 - alpha), rounded, per channel.
inline QRgb blendPixel(QRgb over, QRgb under, int alpha)
{
    const auto channel = [alpha](int o, int u) { return (o * alpha + u * (255 - alpha) + 127) / 255; };
    return qRgb(channel(qRed(over), qRed(under)), channel(qGreen(over), qGreen(under)),
        channel(qBlue(over), qBlue(under)));
}

// Writes into `dc` over the w x h rectangle at (x, y) the pixels `pixel(column, row, under)`
// gives, `under` being the pixel of `background` there (`background` may be `dc`). The
// rectangle is cut to both surfaces; column and row are counted from its (uncut) top left.
template <typename PixelFunction>
void transformRect(Surface& dc, const Surface& background, int x, int y, int w, int h, PixelFunction pixel)
{
    const int left = std::max(x, 0);
    const int top = std::max(y, 0);
    const int right = std::min({ x + w, dc.width(), background.width() });
    const int bottom = std::min({ y + h, dc.height(), background.height() });
    if (left >= right || top >= bottom)
        return;
    QImage scratch(right - left, bottom - top, QImage::Format_RGB32);
    for (int row = top; row < bottom; ++row) {
        const auto* under = reinterpret_cast<const QRgb*>(background.image().constScanLine(row));
        auto* out = reinterpret_cast<QRgb*>(scratch.scanLine(row - top));
        for (int column = left; column < right; ++column)
            out[column - left] = pixel(column - x, row - y, under[column]);
    }
    dc.bitBlt(left, top, right - left, bottom - top, Surface::fromImage(scratch), 0, 0);
}

// Lays `over` (its top left w x h) on `dc` at (x, y) with one opacity for every pixel.
inline void blendUniform(Surface& dc, int x, int y, int w, int h, const Surface& over, int alpha)
{
    const int a = std::clamp(alpha, 0, 255);
    int lineRow = -1;
    const QRgb* line = nullptr;
    transformRect(dc, dc, x, y, std::min(w, over.width()), std::min(h, over.height()),
        [&](int column, int row, QRgb under) {
            if (row != lineRow) {
                line = reinterpret_cast<const QRgb*>(over.image().constScanLine(row));
                lineRow = row;
            }
            return blendPixel(line[column], under, a);
        });
}

} // namespace kalvon
