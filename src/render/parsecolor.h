#pragma once
// The colour text of theme and settings files: red, green and blue in decimal, separated by
// commas ("255,128,0").

#include "common/bytes.h"

#include <cstdint>

namespace kalvon {

// ParseColor: the colour red + 256 green + 65536 blue. A part above 255 counts as 255 and a
// negative one as 0. White (16777215) when the text has fewer than two commas or a part that is
// not a 16-bit number (the third part runs to the end, so "1,2,3,4" is white).
uint32_t ParseColor(BytesView text);

} // namespace kalvon
