#include "net/wire/codes.h"

#include <array>

namespace kalvon::wire {

namespace {
// In SpecialType order.
constexpr std::array<char, kSpecialTypes> kSpecialCodes = {
    '6',
    '7',
    '8',
    '=',
    '>',
    'A',
    '@',
    ':',
    'R',
    'B',
    'C',
    'D',
    '9',
    '<',
    'E',
    'e',
};
} // namespace

char specialCode(SpecialType special)
{
    return kSpecialCodes.at(static_cast<std::size_t>(special));
}

std::optional<SpecialType> specialFromCode(char code)
{
    for (std::size_t i = 0; i < kSpecialCodes.size(); ++i) {
        if (kSpecialCodes[i] == code)
            return static_cast<SpecialType>(i);
    }
    return std::nullopt;
}

} // namespace kalvon::wire
