#pragma once
// Text the user typed, made safe before it goes into a payload: a CR or LF would end the
// line early and smuggle in a message of its own, and a TAB would shift the fields of a
// TAB-separated payload.

#include "common/bytes.h"

namespace kalvon {

// The text without CR and LF.
Bytes payloadText(BytesView typed);
// The text without CR, LF and TAB, for a field of a TAB-separated payload.
Bytes payloadField(BytesView typed);

} // namespace kalvon
