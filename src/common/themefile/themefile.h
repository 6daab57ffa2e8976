#pragma once
// Reading a theme file: the one place where its bytes are decoded. The [Theme Info] section is
// parsed once by the ini reader (keys case-blind, values trimmed and cut to 254 bytes); each
// value is then checked against the kind its key has in the key table.

#include "common/bytes.h"
#include "common/inifile.h"
#include "common/themefile/themekeys.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

namespace kalvon::themefile {

class ThemeFile {
public:
    // A file without any key: what a theme file that cannot be read gives.
    ThemeFile();
    static ThemeFile parse(BytesView text);
    // Reads the file; one that cannot be read, or is far larger than any theme file, reads as
    // a file without keys.
    static ThemeFile load(const std::filesystem::path& file);

    // The value as written; nothing when the key is missing (a value equal to the ini reader's
    // missing-key marker, the character 27, counts as missing too).
    std::optional<Bytes> text(ThemeKey key) const;
    // The value, or the key's missing text.
    Bytes textOrDefault(ThemeKey key) const;
    // A number key (Int16 or Int32) as a whole number within its range (rounded half to even);
    // nothing when missing, blank, not a number or out of range.
    std::optional<int32_t> number(ThemeKey key) const;
    // A flag: 0 false, any other number true; nothing when missing or not a number.
    std::optional<bool> flag(ThemeKey key) const;
    // A flag as a check box holds it (see checkBoxValue); 0 when missing.
    int checkBoxValue(ThemeKey key) const;
    // A colour key as R + 256 G + 65536 B: white when missing or not three numbers.
    int32_t color(ThemeKey key) const;

    // The description block: the lines between the header line and the " " line before the
    // section, without the line end the writer adds after it.
    Bytes description() const;
    // Whether a line that is exactly `line` stands in the theme section: a group's title line
    // tells that the group was included even when none of its keys was filled.
    bool hasSectionLine(BytesView line) const;

private:
    // Where a line lies in m_text.
    struct LineSpan {
        size_t start;
        size_t size;
    };

    Bytes m_text;
    // The value of every key (by its number), looked up once by parse: loaders and checks ask
    // for most keys several times.
    std::vector<std::optional<Bytes>> m_values;
    // The lines that stand in the theme section, found once by parse.
    std::vector<LineSpan> m_sectionLines;
};

// A flag's text as a check box value: 0, 1 and 2 (grey) as they are; any other number 1
// (readers count every non-zero value as set); a text that is no number 0.
int checkBoxValue(BytesView text);

// The description block of a theme file's text (see ThemeFile::description), so that writing
// it back reproduces the file.
Bytes themeFileDescription(BytesView fileText);

} // namespace kalvon::themefile
