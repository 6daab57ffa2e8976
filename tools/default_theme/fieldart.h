#pragma once
// Pictures of the playing fields: backgrounds, next-piece and special windows, doors, win
// pictures, the height LED, the warning strip and the team-name letters.

#include <QImage>

namespace kalvon::themegen {

inline constexpr int kBackgroundFrames = 8;
inline constexpr int kWindowFrames = 8; // next-piece and special windows

QImage fieldBackground(int frame); // 192 x 352
QImage internetBackground(int frame); // 96 x 176
QImage nextPieceWindow(int frame); // 77 x 77
QImage specialWindow(int frame); // 160 x 16
QImage fieldDoor(bool left); // 192 x 352, white transparent; left = door 1
QImage internetDoor(); // 96 x 176, opaque; halves meet at row 90
QImage winImage(); // 192 x 352, white transparent
QImage internetWinImage(); // 96 x 176, white transparent
QImage heightLed(); // 8 x 352
QImage warningImage(); // 192 x 64, white transparent
// 128 x 128: 8 x 8 glyph of byte c at (8 (c mod 16), 8 (c div 16)), white transparent.
QImage teamFont();

} // namespace kalvon::themegen
