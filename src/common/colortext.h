#pragma once
// Colours as the settings and theme files write them: red, green and blue in decimal,
// separated by commas ("0,128,0"). A colour value is R + 256 G + 65536 B.

#include "common/bytes.h"

#include <cstdint>

namespace kalvon {

inline constexpr int32_t kWhite = 0xFFFFFF;

// The colour of a text "r,g,b". Each part is converted like a 16-bit integer and then held to
// 0..255; a text without two commas, or with a part that does not convert, gives white.
int32_t ParseColor(BytesView text);

// "r,g,b" of a colour 0..0xFFFFFF (higher bits are ignored).
Bytes ColorToString(int32_t color);

} // namespace kalvon
