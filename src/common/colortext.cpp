#include "common/colortext.h"

#include "common/vbconv.h"

#include <algorithm>
#include <optional>

namespace kalvon {

namespace {
std::optional<int32_t> colorPart(BytesView text)
{
    const std::optional<int16_t> part = vb::CInt(text);
    if (!part)
        return std::nullopt;
    // Above 255 counts as 255; a negative part counts as 0.
    return std::clamp<int32_t>(*part, 0, 255);
}
} // namespace

int32_t ParseColor(BytesView text)
{
    const size_t firstComma = text.find(',');
    if (firstComma == BytesView::npos)
        return kWhite;
    const BytesView rest = text.substr(firstComma + 1);
    const size_t secondComma = rest.find(',');
    if (secondComma == BytesView::npos)
        return kWhite;
    const std::optional<int32_t> red = colorPart(text.substr(0, firstComma));
    const std::optional<int32_t> green = colorPart(rest.substr(0, secondComma));
    const std::optional<int32_t> blue = colorPart(rest.substr(secondComma + 1));
    if (!red || !green || !blue)
        return kWhite;
    return *red + 256 * *green + 65536 * *blue;
}

Bytes ColorToString(int32_t color)
{
    const int32_t rgb = color & 0xFFFFFF;
    return vb::formatInt(rgb & 0xFF) + "," + vb::formatInt((rgb >> 8) & 0xFF) + ","
        + vb::formatInt(rgb >> 16);
}

} // namespace kalvon
