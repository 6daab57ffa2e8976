#pragma once
// Block tiles: the six colours and sixteen specials at 16 x 16 and 8 x 8, the animated block
// sheet frames (96 x 80 each) and the built-in special icons of the holder window.

#include <QImage>

namespace kalvon::themegen {

inline constexpr int kBlockFrames = 12;

// Tile of cell code 0..21 (0..5 colours, 6..21 specials) for animation frame 0..kBlockFrames-1.
void drawTile16(QImage& image, int x, int y, int code, int frame);
void drawTile8(QImage& image, int x, int y, int code, int frame);

// One 96 x 80 frame of the block sheet: 16 x 16 tile of code k at (16 (k mod 6), 16 (k div 6)),
// 8 x 8 tile at (8 (k mod 12), 64 + 8 (k div 12)).
QImage blockSheetFrame(int frame);

// The seven built-in special icons (0 Tremor, 1 Push Field, 2 Vertical Clear, 3 Flash Screen,
// 4 Drop Block, 5 Give Line, 6 Holy Shield) as 24-bit pictures of `size` 16 or 8.
inline constexpr int kBuiltinSpecials[7] = { 12, 8, 13, 9, 10, 11, 15 };
QImage builtinSpecialIcon(int index, int size);

} // namespace kalvon::themegen
