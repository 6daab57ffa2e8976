#include "editor/model/colortext.h"

#include "common/vbconv.h"

#include <algorithm>
#include <optional>
#include <string>

namespace kalvon::editor {

Bytes ColorToText(uint32_t color)
{
    const uint32_t red = color % 256;
    const uint32_t blue = color / 65536;
    const uint32_t green = (color - blue * 65536 - red) / 256;
    return std::to_string(red) + "," + std::to_string(green) + "," + std::to_string(blue);
}

uint32_t TextToColor(BytesView text)
{
    const size_t first = text.find(',');
    if (first == BytesView::npos)
        return kWhite;
    const BytesView rest = text.substr(first + 1);
    const size_t second = rest.find(',');
    if (second == BytesView::npos)
        return kWhite;
    const std::optional<int16_t> parts[] = {vb::CInt(text.substr(0, first)), vb::CInt(rest.substr(0, second)),
                                            vb::CInt(rest.substr(second + 1))};
    uint32_t color = 0;
    uint32_t scale = 1;
    for (const std::optional<int16_t>& part : parts) {
        if (!part)
            return kWhite;
        color += static_cast<uint32_t>(std::clamp<int>(*part, 0, 255)) * scale;
        scale *= 256;
    }
    return color;
}

} // namespace kalvon::editor
