#include "common/optiontext.h"

#include "common/vbconv.h"

#include <algorithm>

namespace kalvon {

Bytes EnabledText(int16_t flag)
{
    return flag == -1 ? "Enabled" : "Disabled";
}

int16_t EnabledValue(BytesView text)
{
    if (text == "Enabled")
        return 1;
    if (text == "Disabled")
        return 0;
    return vb::CInt(std::clamp(vb::Val(text), double(INT16_MIN), double(INT16_MAX))).value_or(0);
}

Bytes PercentText(int16_t percent)
{
    return percent == 0 ? Bytes("Off") : vb::formatInt(percent) + "%";
}

Bytes YesNoText(int16_t flag)
{
    return flag == -1 ? "Yes" : "No";
}

} // namespace kalvon
