#include "render/parsecolor.h"

#include "common/vbconv.h"
#include "render/themerecord.h"

#include <algorithm>

namespace kalvon {

uint32_t ParseColor(BytesView text)
{
    const size_t first = text.find(',');
    if (first == BytesView::npos)
        return kWhiteColor;
    const BytesView rest = text.substr(first + 1);
    const size_t second = rest.find(',');
    if (second == BytesView::npos)
        return kWhiteColor;
    const auto red = vb::CInt(text.substr(0, first));
    const auto green = vb::CInt(rest.substr(0, second));
    const auto blue = vb::CInt(rest.substr(second + 1));
    if (!red || !green || !blue)
        return kWhiteColor;
    auto component = [](int16_t value) { return uint32_t(std::clamp<int>(value, 0, 255)); };
    return component(*red) + 256 * component(*green) + 65536 * component(*blue);
}

} // namespace kalvon
