#pragma once
// The colour boxes' text form: red, green and blue in decimal, separated by commas, no blanks
// ("255,255,255" is white). Colours are R + 256 G + 65536 B.

#include "common/bytes.h"

#include <cstdint>

namespace kalvon::editor {

inline constexpr uint32_t kWhite = 0xFFFFFF;

Bytes ColorToText(uint32_t color);

// Never fails: a text without its two commas, or with a part that is not a 16-bit number,
// gives white. Components above 255 count as 255, below 0 as 0.
uint32_t TextToColor(BytesView text);

} // namespace kalvon::editor
