#pragma once
// The number conversions the program's rules are written in, with Visual Basic's meaning:
// rounding half to even, Int as floor, IsNumeric and Val with "." as the only decimal point,
// whatever the locale of the machine.

#include "common/bytes.h"

#include <cstdint>
#include <optional>

namespace kalvon::vb {

// Round to `decimals` places, halves to the even neighbour (banker's rounding).
double roundHalfEven(double value, int decimals = 0);

// CInt / CLng of a number: rounded half to even; nothing when outside the 16-/32-bit range.
std::optional<int16_t> CInt(double value);
std::optional<int32_t> CLng(double value);

// Int: the largest integer not above the value (floor; Int(-2.5) = -3).
double Int(double value);

// IsNumeric of a text: optional blanks, sign, digits with at most one ".", optional exponent
// ("E" or "D" with optional sign and digits), optional blanks; or "&H"/"&O" with hex/octal
// digits that fit 32 bits (up to 0xFFFF they are a 16-bit value: "&HFFFF" is -1). The empty
// text and a number beyond a double's range are not numeric.
bool IsNumeric(BytesView text);

// Val: the number at the start of the text (blanks, tabs and line feeds inside are skipped, as
// VB does), 0 when there is none or it is beyond a double's range; "&H"/"&O" prefixes are
// read too.
double Val(BytesView text);

// The conversion of a text to a number that CInt/CLng/CDbl perform: nothing when the text is
// not numeric (VB would raise "Type mismatch").
std::optional<double> toNumber(BytesView text);
std::optional<int16_t> CInt(BytesView text);
std::optional<int32_t> CLng(BytesView text);

// CStr of a number: the shortest text of at most 15 significant digits, "." as the decimal
// point, no trailing zeros, exponent form ("1E+15", "1E-05") outside VB's fixed range.
Bytes formatGeneral(double value);
// CStr of an integer.
Bytes formatInt(int64_t value);

} // namespace kalvon::vb
