#pragma once
// The pictures of the block occurrence dialog, cut from the current theme: a shape row's tile
// (a block colour scaled to 14 x 14) and a special's 16 x 16 icon. A type-1 theme keeps them in
// the first frame of its block sheet, a type-0 theme in its skin. A theme without that sheet
// gives black pictures.

#include "platform/surface.h"

#include <cstdint>

namespace kalvon {

struct ThemeImages;

inline constexpr int kOccurrenceTileSize = 14;

// `color` 0..5.
Surface occurrenceShapeTile(const ThemeImages& images, int16_t themeType, int color);
// `special` 0..15, in SpecialType order.
Surface occurrenceSpecialIcon(const ThemeImages& images, int16_t themeType, int special);

} // namespace kalvon
