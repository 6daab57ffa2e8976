#pragma once
// Writing a theme file: the layout every reader of the system expects (Windows-1252, CR LF
// after every line, one [Theme Info] section, each group under its title line).

#include "common/bytes.h"
#include "common/themefile/themekeys.h"

#include <array>
#include <optional>
#include <string_view>

namespace kalvon::themefile {

// The header line; its last byte is the trade mark sign of Windows-1252.
inline constexpr std::string_view kThemeFileHeader
    = "//Kalvon Theme File - Created by Kalvon Theme Maker\x99";

// A theme as its file holds it: the value text of each key (flags as their number), which
// groups are included, the theme type and the description block.
struct ThemeContent {
    Bytes description; // lines may end in CR LF, CR or LF
    int themetype = 1; // 0 or 1; a theme of any other type has no file
    std::array<std::optional<Bytes>, kThemeKeyCount> values{};
    std::array<bool, kThemeGroupCount> included{};

    std::optional<Bytes>& operator[](ThemeKey key) { return values[size_t(key)]; }
    const std::optional<Bytes>& operator[](ThemeKey key) const { return values[size_t(key)]; }
    bool& includes(ThemeGroup group) { return included[size_t(group)]; }
    bool includes(ThemeGroup group) const { return included[size_t(group)]; }
};

// The file's bytes; nothing for a theme type other than 0 or 1. Empty name, developer and
// version texts are written as "Unknown". A type-1 theme writes its resource file (even an
// empty one) and every included group; a type-0 theme writes its skin (when it names one),
// the interface, music and sound groups only. A flag that belongs to a parent key is written
// after it and only with it; the type-0 skin flags only when they have a value. A value is one
// line: from its first CR or LF on nothing is written, so no value can add keys; one with
// blanks or quotes at its ends is written in quotes, so it reads back as it was.
std::optional<Bytes> themeFileBytes(const ThemeContent& content);

} // namespace kalvon::themefile
