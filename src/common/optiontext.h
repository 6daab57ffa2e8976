#pragma once
// Text forms of option values, as the room and option pages show them.

#include "common/bytes.h"

#include <cstdint>

namespace kalvon {

// "Enabled" for a true flag (-1), else "Disabled".
Bytes EnabledText(int16_t flag);
// 1 for "Enabled", 0 for "Disabled", otherwise the number the text starts with (0 when none),
// rounded half to even and held to 16 bits. Typed text never raises an error.
int16_t EnabledValue(BytesView text);
// "Off" for 0, else the number and "%" ("15%").
Bytes PercentText(int16_t percent);
// "Yes" for a true flag (-1), else "No".
Bytes YesNoText(int16_t flag);

} // namespace kalvon
