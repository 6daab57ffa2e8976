#include "platform/imagecontext.h"

namespace kalvon {

namespace {

inline int blendChannel(int source, int target, int alpha)
{
    return (source * alpha + target * (255 - alpha) + 127) / 255;
}

} // namespace

void ImageContext::takePixels(const Surface& surface)
{
    m_pixels = surface;
    m_alpha.assign(size_t(surface.width()) * size_t(surface.height()), 255);
}

void ImageContext::setChannelBits(int channel, BytesView bytes, int x, int y, int w, int h)
{
    if (channel != kAlphaChannel || w <= 0 || h <= 0)
        return;
    for (int row = 0; row < h; ++row) {
        for (int column = 0; column < w; ++column) {
            const size_t index = size_t(row) * size_t(w) + size_t(column);
            if (index >= bytes.size())
                return;
            const int px = x + column;
            const int py = y + row;
            if (px < 0 || py < 0 || px >= width() || py >= height())
                continue;
            m_alpha[size_t(py) * size_t(width()) + size_t(px)] = uint8_t(bytes[index]);
        }
    }
}

uint8_t ImageContext::alpha(int x, int y) const
{
    if (x < 0 || y < 0 || x >= width() || y >= height())
        return 0;
    return m_alpha[size_t(y) * size_t(width()) + size_t(x)];
}

void ImageContext::alphaBlendOnto(Surface& target, int tx, int ty, int x, int y, int w, int h) const
{
    for (int row = 0; row < h; ++row) {
        for (int column = 0; column < w; ++column) {
            const int px = x + column;
            const int py = y + row;
            const int qx = tx + column;
            const int qy = ty + row;
            if (px < 0 || py < 0 || px >= width() || py >= height())
                continue;
            if (qx < 0 || qy < 0 || qx >= target.width() || qy >= target.height())
                continue;
            const QRgb source = m_pixels.pixel(px, py);
            const QRgb under = target.pixel(qx, qy);
            const int a = alpha(px, py);
            target.setPixel(qx, qy,
                qRgb(blendChannel(qRed(source), qRed(under), a),
                    blendChannel(qGreen(source), qGreen(under), a),
                    blendChannel(qBlue(source), qBlue(under), a)));
        }
    }
}

} // namespace kalvon
