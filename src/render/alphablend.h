#pragma once
// AlphaBlendImage: a rectangle of an image-library context laid over a background with one
// uniform opacity (the warning strip over a field).

#include <cstdint>

namespace kalvon {

class ImageContext;
class Surface;

// Sets the alpha of the context's w x h rectangle at (imageX, imageY) to `alpha` (0 shows only
// the background, 255 only the context; values outside are clamped), blends it over a copy of
// the w x h background of `source` at (srcX, srcY), and copies the result to `destination` at
// (destX, destY). `source` and `destination` may be the same surface. The opacity stays in the
// context until it is set again.
void AlphaBlendImage(Surface& destination, int destX, int destY, const Surface& source, int srcX, int srcY,
    ImageContext& context, int imageX, int imageY, int width, int height, int16_t alpha);

} // namespace kalvon
