#pragma once
// Text as the program keeps it: bytes in Windows-1252, never converted on the way through.
// Conversion to QString happens only at a widget (platform/qtext.h).

#include <cstdint>
#include <string>
#include <string_view>

namespace kalvon {

using Bytes = std::string;
using BytesView = std::string_view;

// Upper/lower case of one Windows-1252 byte: ASCII letters and the accented letters of the
// code page (0xE0-0xFE except 0xF7, and the pairs 0x8A/0x9A, 0x8C/0x9C, 0x8E/0x9E, 0x9F/0xFF).
unsigned char upperByte(unsigned char c);
unsigned char lowerByte(unsigned char c);

Bytes toUpper(BytesView text);
Bytes toLower(BytesView text);

// Case-blind comparison over Windows-1252 letters (the comparison settings and theme keys use).
bool equalsNoCase(BytesView a, BytesView b);
// Negative, zero or positive like strcmp, after upper-casing both sides.
int compareNoCase(BytesView a, BytesView b);

// Blanks are spaces and tabs.
BytesView trimBlanks(BytesView text);

// The byte of a character code 0..255, as VB's Chr would give it.
inline char byteChar(int code)
{
    return static_cast<char>(static_cast<unsigned char>(code));
}
// The code 0..255 of a byte, as VB's Asc would give it.
inline int byteCode(char c)
{
    return static_cast<unsigned char>(c);
}

} // namespace kalvon
