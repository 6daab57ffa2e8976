#pragma once
// The server page's numeric rule fields as texts: the seven ranged fields and the six start
// heights, with the correction each makes to its own text while it is typed in, and where the
// options model keeps each. The widgets only show these texts.

#include "common/bytes.h"
#include "engine/store/options.h"

#include <array>
#include <optional>

namespace kalvon {

// A ranged field of the server page: its control, the largest value it keeps and its text in
// [Game Options].
struct RuleField {
    const char* control;
    int upper;
    Bytes GameOptionSettings::*setting;
};

inline const std::array<RuleField, 7> kRuleFields{ {
    { "txtDelay", 100, &GameOptionSettings::delay },
    { "txtLevel", 100, &GameOptionSettings::startLevel },
    { "txtMaxSpecial", 100, &GameOptionSettings::maxSpecials },
    { "txtLineLevel", 50, &GameOptionSettings::lineLevel },
    { "txtLevelsMade", 50, &GameOptionSettings::raiseLevel },
    { "txtLineSpec", 50, &GameOptionSettings::specialLine },
    { "txtSpecialsMade", 50, &GameOptionSettings::specialsMade },
} };

inline constexpr int kMaxStartHeight = 18;

// The number a rule field holds: a decimal number with optional blanks around it, an optional
// sign and an optional fraction ("7", " -3 ", "2.5", ".5", "4."). Exponents, hexadecimal and
// thousands separators are no numbers here; nor is an empty text.
std::optional<double> ruleFieldNumber(BytesView text);

// A ranged field's text after its correction: the number rounded half to even (0 when the text
// holds none or the result does not fit 16 bits), then kept within 0..upper, in decimal.
Bytes correctedRangedText(BytesView text, int upper);

// A start-height field's text after its correction: no number gives "0", a number above 18
// "18", a number below 0 "0"; a number in range keeps the text as typed ("1.5" stays), and the
// game options round it half to even.
Bytes correctedStartHeightText(BytesView text);

} // namespace kalvon
