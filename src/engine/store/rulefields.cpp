#include "engine/store/rulefields.h"

#include "common/vbconv.h"

namespace kalvon {

std::optional<double> ruleFieldNumber(BytesView text)
{
    text = trimBlanks(text);
    size_t at = 0;
    if (at < text.size() && (text[at] == '+' || text[at] == '-'))
        ++at;
    size_t digits = 0;
    bool point = false;
    for (; at < text.size(); ++at) {
        const char c = text[at];
        if (c >= '0' && c <= '9')
            ++digits;
        else if (c == '.' && !point)
            point = true;
        else
            return std::nullopt;
    }
    if (digits == 0)
        return std::nullopt;
    // A plain decimal number now, which Val reads whatever the machine's locale.
    return vb::Val(text);
}

Bytes correctedRangedText(BytesView text, int upper)
{
    const std::optional<double> number = ruleFieldNumber(text);
    int value = 0;
    if (number)
        value = vb::CInt(*number).value_or(0);
    if (value < 0)
        value = 0;
    if (value > upper)
        value = upper;
    return vb::formatInt(value);
}

Bytes correctedStartHeightText(BytesView text)
{
    const std::optional<double> number = ruleFieldNumber(text);
    if (!number || *number < 0)
        return "0";
    if (*number > kMaxStartHeight)
        return vb::formatInt(kMaxStartHeight);
    return Bytes(text);
}

} // namespace kalvon
