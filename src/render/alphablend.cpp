#include "render/alphablend.h"

#include "common/bytes.h"
#include "platform/imagecontext.h"
#include "platform/surface.h"

#include <algorithm>

namespace kalvon {

void AlphaBlendImage(Surface& destination, int destX, int destY, const Surface& source, int srcX, int srcY,
    ImageContext& context, int imageX, int imageY, int width, int height, int16_t alpha)
{
    if (width <= 0 || height <= 0)
        return;
    const Bytes opacity(size_t(width) * size_t(height), byteChar(std::clamp<int>(alpha, 0, 255)));
    context.setChannelBits(ImageContext::kAlphaChannel, opacity, imageX, imageY, width, height);

    Surface scratch(width, height);
    scratch.bitBlt(0, 0, width, height, source, srcX, srcY);
    context.alphaBlendOnto(scratch, 0, 0, imageX, imageY, width, height);
    destination.bitBlt(destX, destY, width, height, scratch, 0, 0);
}

} // namespace kalvon
