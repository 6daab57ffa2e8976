#include "render/themerecord.h"

#include <algorithm>

namespace kalvon {

int16_t clampFrameCount(int count, const FrameGeometry& geometry)
{
    return int16_t(std::clamp(count, 0, geometry.maxFrames()));
}

} // namespace kalvon
