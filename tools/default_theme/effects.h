#pragma once
// Frame sets of the effects: the four-row line explosion and the block bomb. White is their
// transparent colour.

#include <QImage>

namespace kalvon::themegen {

inline constexpr int kExplosionFrames = 10;
inline constexpr int kBombFrames = 17; // the theme page's preview always shows 17

QImage explosionFrame(int frame); // 192 x 64, frame 0..kExplosionFrames-1
QImage bombFrame(int frame); // 64 x 64, frame 0..kBombFrames-1

} // namespace kalvon::themegen
