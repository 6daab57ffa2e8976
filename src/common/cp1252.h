#pragma once
// Our own Windows-1252 table. The five bytes the code page leaves undefined (0x81, 0x8D,
// 0x8F, 0x90, 0x9D) map to the C1 controls of the same value, so every byte survives a
// round trip through Unicode.

#include "common/bytes.h"

#include <optional>
#include <string>

namespace kalvon {

char16_t cp1252ToUnicode(unsigned char byte);
// The byte for a code point, or nothing when the code page has no such character.
std::optional<unsigned char> unicodeToCp1252(char32_t codePoint);

std::u16string decodeCp1252(BytesView bytes);
// Characters without a byte become "?".
Bytes encodeCp1252(std::u16string_view text);

// For file names: the file system speaks UTF-8.
std::string cp1252ToUtf8(BytesView bytes);
Bytes utf8ToCp1252(std::string_view utf8);

} // namespace kalvon
