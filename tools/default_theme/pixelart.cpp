#include "pixelart.h"

#include <array>
#include <cmath>
#include <numbers>

namespace kalvon::themegen {

namespace {

using Rows12 = std::array<const char*, 12>;
using Rows5 = std::array<const char*, 5>;

template <size_t N> Mask fromRows(const std::array<const char*, N>& rows, int width)
{
    Mask mask(width, int(N));
    for (int y = 0; y < int(N); ++y)
        for (int x = 0; x < width && rows[size_t(y)][x] != '\0'; ++x)
            mask.set(x, y, rows[size_t(y)][x] == 'X');
    return mask;
}

// Pixel-centre tests for the round marks.
double distance(double x, double y, double cx, double cy)
{
    return std::hypot(x + 0.5 - cx, y + 0.5 - cy);
}

Mask trefoil()
{
    Mask mask(12, 12);
    const double cx = 6.0, cy = 6.3;
    for (int y = 0; y < 12; ++y) {
        for (int x = 0; x < 12; ++x) {
            const double r = distance(x, y, cx, cy);
            double angle = std::atan2(-(y + 0.5 - cy), x + 0.5 - cx) * 180.0 / std::numbers::pi;
            if (angle < 0)
                angle += 360.0;
            // Three blades centred on 90, 210 and 330 degrees, each 60 degrees wide.
            const double rel = std::fmod(angle - 90.0 + 360.0 + 30.0, 120.0);
            const bool blade = rel < 60.0 && r >= 2.6 && r <= 6.2;
            mask.set(x, y, blade || r <= 1.5);
        }
    }
    return mask;
}

Mask prohibition()
{
    Mask mask(12, 12);
    for (int y = 0; y < 12; ++y) {
        for (int x = 0; x < 12; ++x) {
            const double r = distance(x, y, 6.0, 6.0);
            const bool ring = r >= 4.2 && r <= 6.0;
            const bool bar = std::abs(x - y) <= 1 && r <= 5.0;
            mask.set(x, y, ring || bar);
        }
    }
    return mask;
}

Mask bomb()
{
    Mask mask(12, 12);
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 12; ++x)
            mask.set(x, y, distance(x, y, 5.0, 7.0) <= 4.6);
    // Fuse cap and fuse.
    mask.set(7, 2);
    mask.set(8, 2);
    mask.set(8, 1);
    mask.set(9, 1);
    mask.set(10, 0);
    // Spark.
    mask.set(11, 1);
    mask.set(10, 2);
    mask.set(11, 0, false);
    // Shine inside the body is left to the tile's highlight.
    mask.set(3, 5, false);
    mask.set(3, 6, false);
    mask.set(4, 5, false);
    return mask;
}

const Rows12 kAddLine = {
    ".....XX.....",
    ".....XX.....",
    "...XXXXXX...",
    "...XXXXXX...",
    ".....XX.....",
    ".....XX.....",
    "............",
    "XXXXXXXXXXXX",
    "XXXXXXXXXXXX",
    "............",
    "XX.XX.XX.XXX",
    "XX.XX.XX.XXX",
};
const Rows12 kClearLine = {
    "............",
    "............",
    "...XXXXXX...",
    "...XXXXXX...",
    "............",
    "............",
    "............",
    "XXXXXXXXXXXX",
    "XXXXXXXXXXXX",
    "............",
    "............",
    "............",
};
const Rows12 kDie = {
    "XXXXXXXXXXXX",
    "X..........X",
    "X.XX....XX.X",
    "X.XX....XX.X",
    "X..........X",
    "X....XX....X",
    "X....XX....X",
    "X..........X",
    "X.XX....XX.X",
    "X.XX....XX.X",
    "X..........X",
    "XXXXXXXXXXXX",
};
const Rows12 kSwitch = {
    "........X...",
    "........XX..",
    "XXXXXXXXXXX.",
    "XXXXXXXXXXX.",
    "........XX..",
    "........X...",
    "...X........",
    "..XX........",
    ".XXXXXXXXXXX",
    ".XXXXXXXXXXX",
    "..XX........",
    "...X........",
};
const Rows12 kGravity = {
    "XX........XX",
    ".XX......XX.",
    "..XX....XX..",
    "...XX..XX...",
    "....XXXX....",
    ".....XX.....",
    "XX........XX",
    ".XX......XX.",
    "..XX....XX..",
    "...XX..XX...",
    "....XXXX....",
    ".....XX.....",
};
const Rows12 kQuake = {
    "............",
    "............",
    "..X.....X...",
    ".XXX...XXX..",
    "XX.XX.XX.XX.",
    "X...XXX...XX",
    ".....X......",
    "............",
    "............",
    "XXXX.XXX.XXX",
    "XXX.XXX.XXXX",
    "............",
};
const Rows12 kPush = {
    "............",
    ".XX...XX....",
    "..XX...XX...",
    "...XX...XX..",
    "....XX...XX.",
    ".....XX...XX",
    ".....XX...XX",
    "....XX...XX.",
    "...XX...XX..",
    "..XX...XX...",
    ".XX...XX....",
    "............",
};
const Rows12 kFlash = {
    "......XXXXX.",
    ".....XXXXX..",
    "....XXXXX...",
    "...XXXXX....",
    "..XXXXXXXXX.",
    "......XXXX..",
    ".....XXXX...",
    "....XXX.....",
    "...XXX......",
    "..XX........",
    ".XX.........",
    "X...........",
};
const Rows12 kDropBlock = {
    "....XXXX....",
    "............",
    "....XXXX....",
    "............",
    "...XXXXXX...",
    "...XXXXXX...",
    "...XXXXXX...",
    "...XXXXXX...",
    "...XXXXXX...",
    "...XXXXXX...",
    "............",
    "XXXXXXXXXXXX",
};
const Rows12 kGiveLine = {
    ".....XX.....",
    "....XXXX....",
    "...XXXXXX...",
    "..XX.XX.XX..",
    ".....XX.....",
    ".....XX.....",
    ".....XX.....",
    "............",
    "XXXXXXXXXXXX",
    "XXXXXXXXXXXX",
    "............",
    "............",
};
const Rows12 kVerticalClear = {
    ".....XX.....",
    "....XXXX....",
    "...XXXXXX...",
    ".....XX.....",
    ".....XX.....",
    ".....XX.....",
    ".....XX.....",
    ".....XX.....",
    ".....XX.....",
    "...XXXXXX...",
    "....XXXX....",
    ".....XX.....",
};
const Rows12 kTremor = {
    "............",
    ".XX....XX...",
    "X..X..X..X..",
    "....XX....XX",
    "............",
    ".XX....XX...",
    "X..X..X..X..",
    "....XX....XX",
    "............",
    ".XX....XX...",
    "X..X..X..X..",
    "....XX....XX",
};
const Rows12 kShield = {
    ".XXXXXXXXXX.",
    ".XXXX..XXXX.",
    ".XXXX..XXXX.",
    ".XX......XX.",
    ".XX......XX.",
    ".XXXX..XXXX.",
    ".XXXX..XXXX.",
    "..XXX..XXX..",
    "..XXXXXXXX..",
    "...XXXXXX...",
    "....XXXX....",
    ".....XX.....",
};

// The settings letters a c n r s b g q p f d l t v o, and H for the Holy Shield.
const Rows5 kLetters[kSpecialCount] = {
    { ".XXX.", "X...X", "XXXXX", "X...X", "X...X" }, // A
    { ".XXXX", "X....", "X....", "X....", ".XXXX" }, // C
    { "X...X", "XX..X", "X.X.X", "X..XX", "X...X" }, // N
    { "XXXX.", "X...X", "XXXX.", "X..X.", "X...X" }, // R
    { ".XXXX", "X....", ".XXX.", "....X", "XXXX." }, // S
    { "XXXX.", "X...X", "XXXX.", "X...X", "XXXX." }, // B
    { ".XXXX", "X....", "X..XX", "X...X", ".XXX." }, // G
    { ".XXX.", "X...X", "X.X.X", "X..X.", ".XX.X" }, // Q
    { "XXXX.", "X...X", "XXXX.", "X....", "X...." }, // P
    { "XXXXX", "X....", "XXXX.", "X....", "X...." }, // F
    { "XXXX.", "X...X", "X...X", "X...X", "XXXX." }, // D
    { "X....", "X....", "X....", "X....", "XXXXX" }, // L
    { "XXXXX", "..X..", "..X..", "..X..", "..X.." }, // T
    { "X...X", "X...X", "X...X", ".X.X.", "..X.." }, // V
    { ".XXX.", "X...X", "X...X", "X...X", ".XXX." }, // O
    { "X...X", "X...X", "XXXXX", "X...X", "X...X" }, // H
};

const QColor kSpecialColors[kSpecialCount] = {
    { 255, 96, 96 }, // Add Line
    { 96, 236, 124 }, // Clear Line
    { 255, 226, 64 }, // Nuke Field
    { 255, 152, 64 }, // Random Clear
    { 192, 134, 255 }, // Switch Blocks
    { 255, 114, 200 }, // Clear Specials
    { 92, 206, 255 }, // Block Gravity
    { 232, 128, 72 }, // Block Quake
    { 72, 232, 204 }, // Push Field
    { 255, 244, 156 }, // Flash Screen
    { 118, 154, 255 }, // Drop Block
    { 176, 240, 92 }, // Give Line
    { 255, 196, 84 }, // Tremor
    { 128, 236, 255 }, // Vertical Clear
    { 255, 86, 48 }, // Block Bomb
    { 255, 228, 150 }, // Holy Shield
};

} // namespace

Mask specialPictogram(int special)
{
    switch (special) {
    case 0: return fromRows(kAddLine, 12);
    case 1: return fromRows(kClearLine, 12);
    case 2: return trefoil();
    case 3: return fromRows(kDie, 12);
    case 4: return fromRows(kSwitch, 12);
    case 5: return prohibition();
    case 6: return fromRows(kGravity, 12);
    case 7: return fromRows(kQuake, 12);
    case 8: return fromRows(kPush, 12);
    case 9: return fromRows(kFlash, 12);
    case 10: return fromRows(kDropBlock, 12);
    case 11: return fromRows(kGiveLine, 12);
    case 12: return fromRows(kTremor, 12);
    case 13: return fromRows(kVerticalClear, 12);
    case 14: return bomb();
    default: return fromRows(kShield, 12);
    }
}

Mask specialLetter(int special)
{
    return fromRows(kLetters[special], 5);
}

QColor specialColor(int special)
{
    return kSpecialColors[special];
}

} // namespace kalvon::themegen
