#pragma once
// Tiny surfaces written and read as text grids, one character per pixel and "/" between rows,
// so a test states a whole expected picture at a glance.

#include "platform/surface.h"

#include <map>
#include <string>

namespace kalvon::testing {

// The colours the characters stand for: digits and letters map to distinct colours, "W" is
// white, "B" black, "." a grey that marks pixels a drawing must leave alone.
inline QRgb gridColor(char c)
{
    switch (c) {
    case 'W': return kWhitePixel;
    case 'B': return kBlackPixel;
    case '.': return qRgb(0x80, 0x80, 0x80);
    default: return qRgb(0x10 * (c % 16), c, 0x55);
    }
}

inline Surface gridSurface(const std::string& grid)
{
    int width = int(grid.find('/'));
    if (width < 0)
        width = int(grid.size());
    const int height = int(grid.size() + 1) / (width + 1);
    Surface surface(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            surface.setPixel(x, y, gridColor(grid[size_t(y * (width + 1) + x)]));
    }
    return surface;
}

// The grid of a surface; a pixel of no known colour shows as "?".
inline std::string gridText(const Surface& surface)
{
    static const std::string known = "WB.0123456789abcdefgh";
    std::string text;
    for (int y = 0; y < surface.height(); ++y) {
        if (y > 0)
            text += '/';
        for (int x = 0; x < surface.width(); ++x) {
            char shown = '?';
            for (char c : known) {
                if (gridColor(c) == surface.pixel(x, y))
                    shown = c;
            }
            text += shown;
        }
    }
    return text;
}

} // namespace kalvon::testing
