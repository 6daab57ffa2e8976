#include "blocks.h"

#include "paint.h"
#include "palette.h"
#include "pixelart.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace kalvon::themegen {

namespace {

void put(QImage& image, int x, int y, QColor c)
{
    image.setPixel(x, y, c.rgb());
}

// Brightness of a special's glow in frame f: full in frame 0 (the still frame), dimmest halfway.
double pulse(int frame)
{
    return 0.5 + 0.5 * std::cos(2.0 * std::numbers::pi * frame / kBlockFrames);
}

// A diagonal glint crosses the normal blocks in frames 1 to 4; the other frames are plain.
bool inGlint(int x, int y, int size, int frame)
{
    if (frame < 1 || frame > 4)
        return false;
    const int centre = (frame - 1) * (2 * size + 4) / 3 - 2;
    const int d = x + y - centre;
    return d >= 0 && d < std::max(2, size / 5);
}

void drawColourTile(QImage& image, int ox, int oy, int size, QColor base, int frame)
{
    const int bevelWidth = size >= 16 ? 2 : 1;
    const QColor outline = shade(base, 0.38);
    const QColor lightTop = shade(base, 1.5);
    const QColor lightLeft = shade(base, 1.32);
    const QColor darkBottom = shade(base, 0.58);
    const QColor darkRight = shade(base, 0.68);
    const int last = size - 1;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const int top = y, left = x, bottom = last - y, right = last - x;
            const int edge = std::min({ top, left, bottom, right });
            QColor c;
            if (edge == 0) {
                c = outline;
            } else if (edge <= bevelWidth) {
                if (top == edge && top <= std::min(bottom, right))
                    c = lightTop;
                else if (left == edge && left <= std::min(bottom, right))
                    c = lightLeft;
                else if (bottom == edge)
                    c = darkBottom;
                else
                    c = darkRight;
            } else {
                const double t = double(y - bevelWidth - 1) / std::max(1, size - 2 * bevelWidth - 3);
                c = mix(shade(base, 1.14), shade(base, 0.84), t);
                // A small gloss in the upper left of the face.
                if (size >= 16 && y == bevelWidth + 1 && x >= bevelWidth + 1 && x <= bevelWidth + 4)
                    c = shade(base, 1.42);
                if (size >= 16 && x == bevelWidth + 1 && y == bevelWidth + 2)
                    c = shade(base, 1.3);
            }
            if (edge > 0 && inGlint(x, y, size, frame))
                c = shade(c, 1.35);
            put(image, ox + x, oy + y, c);
        }
    }
}

const QColor kSpecialFaceTop{ 30, 36, 56 };
const QColor kSpecialFaceBottom{ 14, 17, 28 };

void drawSpecialFace(QImage& image, int ox, int oy, int size, QColor colour, int frame)
{
    const double glow = pulse(frame);
    const QColor ring = mix(shade(colour, 0.62), shade(colour, 1.08), glow);
    const QColor outline = shade(colour, 0.34);
    const int last = size - 1;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const int edge = std::min({ x, y, last - x, last - y });
            QColor c;
            if (edge == 0)
                c = outline;
            else if (edge == 1 && size >= 16)
                c = ring;
            else
                c = mix(kSpecialFaceTop, kSpecialFaceBottom, double(y) / last);
            put(image, ox + x, oy + y, c);
        }
    }
    if (size < 16) {
        // Small tiles: a lit top and left edge in the special's colour.
        for (int i = 1; i < last; ++i) {
            put(image, ox + i, oy, shade(colour, 0.8));
            put(image, ox, oy + i, shade(colour, 0.7));
        }
    }
}

// A mark with a one-pixel shadow below and to the right; nothing is drawn outside `inside`,
// so the tile's outline stays whole.
void drawMask(
    QImage& image, int ox, int oy, const Mask& mask, QColor colour, QColor shadow, const QRect& inside)
{
    auto putInside = [&](int x, int y, QColor c) {
        if (inside.contains(x, y))
            put(image, x, y, c);
    };
    for (int y = 0; y < mask.height(); ++y)
        for (int x = 0; x < mask.width(); ++x)
            if (mask.at(x, y) && !mask.at(x + 1, y + 1))
                putInside(ox + x + 1, oy + y + 1, shadow);
    for (int y = 0; y < mask.height(); ++y)
        for (int x = 0; x < mask.width(); ++x)
            if (mask.at(x, y)) {
                // Slightly lighter on the top rows of the mark for a little depth.
                const double lift = y < mask.height() / 3 ? 1.12 : 1.0;
                putInside(ox + x, oy + y, shade(colour, lift));
            }
}

void drawSpecialTile(QImage& image, int ox, int oy, int size, int special, int frame)
{
    const QColor colour = specialColor(special);
    drawSpecialFace(image, ox, oy, size, colour, frame);
    const QColor mark = mix(shade(colour, 0.82), shade(colour, 1.12), pulse(frame));
    const QRect inside(ox + 1, oy + 1, size - 2, size - 2);
    if (size >= 16)
        drawMask(image, ox + 2, oy + 2, specialPictogram(special), mark, QColor(4, 5, 9), inside);
    else
        drawMask(image, ox + 2, oy + 2, specialLetter(special), shade(colour, 1.1), QColor(4, 5, 9), inside);
}

void drawEmptySlot(QImage& image, int ox, int oy, int size)
{
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            put(image, ox + x, oy + y, palette::kWell);
}

void drawTile(QImage& image, int x, int y, int size, int code, int frame)
{
    if (code >= 0 && code < 6)
        drawColourTile(image, x, y, size, palette::kBlock[code], frame);
    else if (code >= 6 && code < 22)
        drawSpecialTile(image, x, y, size, code - 6, frame);
    else
        drawEmptySlot(image, x, y, size);
}

} // namespace

void drawTile16(QImage& image, int x, int y, int code, int frame)
{
    drawTile(image, x, y, 16, code, frame);
}

void drawTile8(QImage& image, int x, int y, int code, int frame)
{
    drawTile(image, x, y, 8, code, frame);
}

QImage blockSheetFrame(int frame)
{
    QImage image(96, 80, QImage::Format_RGB32);
    image.fill(palette::kWell);
    for (int code = 0; code < 24; ++code) {
        drawTile16(image, 16 * (code % 6), 16 * (code / 6), code, frame);
        drawTile8(image, 8 * (code % 12), 64 + 8 * (code / 12), code, frame);
    }
    return image;
}

QImage builtinSpecialIcon(int index, int size)
{
    QImage image(size, size, QImage::Format_RGB32);
    drawTile(image, 0, 0, size, 6 + kBuiltinSpecials[index], 0);
    return image.convertToFormat(QImage::Format_RGB888);
}

} // namespace kalvon::themegen
