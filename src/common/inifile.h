#pragma once
// Reading settings and theme files: our own reader with the behaviour of the Windows
// private-profile functions that every loader relies on (see IniDocument), and ReadSetting,
// the one procedure through which loaders read a value.

#include "common/bytes.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

namespace kalvon {

// An ini text parsed once. Section and key are matched case-blind over Windows-1252 letters;
// blanks around names and values are trimmed; one pair of matching quotes (double or single)
// around a value is stripped, keeping the blanks inside; a key with nothing after "=" has the
// empty value; the first matching section and the first matching key within it win; lines
// starting ";" are comments, there are no inline comments; values are cut to 254 bytes;
// CR LF, CR CR LF and LF line ends are all read. Lines before the first section and lines
// without "=" are ignored.
class IniDocument {
public:
    static IniDocument parse(BytesView text);
    // Reads and parses a file; nothing when it cannot be read.
    static std::optional<IniDocument> load(const std::filesystem::path& file);

    std::optional<Bytes> value(BytesView section, BytesView key) const;

private:
    struct Entry {
        Bytes key;
        Bytes value;
    };
    struct Section {
        Bytes name;
        std::vector<Entry> entries;
        // The entries' positions ordered case-blind by key, equal keys in file order, so a
        // lookup is a binary search that finds the first of them (made once by parse, for a
        // section of many keys only: a few are read in file order).
        std::vector<uint32_t> byKey;
    };
    std::vector<Section> m_sections;
    // The sections' positions ordered the same way by name (for many sections only).
    std::vector<uint32_t> m_byName;
};

// The name of the section a line opens: "[" after optional blanks, the name up to the first
// "]", blanks around it trimmed. Nothing for any other line.
std::optional<BytesView> sectionHeader(BytesView line);

// The text a writer puts after "=" for a one-line value, so that the reader gives the value
// back: in double quotes when the reader would trim its ends or take them for quotes, as it
// stands otherwise.
Bytes iniValueText(BytesView value);

// The value loaders pass as default: a result equal to it means the key is missing.
inline constexpr char kMissingSetting = 27;
inline const Bytes kMissingSettingText(1, kMissingSetting);

// Status codes of ReadSetting.
inline constexpr int32_t kReadSettingOk = 0;
inline constexpr int32_t kReadSettingNoLocation = 99;

// A registry root handle for a hive word ("HKCU", "HKLM", "HKU", "HKDD", "HKCC", "HKCR", any
// case), 1 for an existing ordinary file, 0 otherwise.
uint32_t HiveFromName(BytesView location);

// Reads one text value. `location` is an ini file path (as the program uses it on this
// system) or a hive word. Returns 99 when the location is neither; 0 after an ini read, with
// `result` the value or `defaultValue` when missing. Value types other than "S" (any case)
// leave the default on an ini file. There is no registry on this system: a hive word gives
// the registry's "file not found" status (2) and the default, as a missing value would.
int32_t ReadSetting(BytesView location, BytesView section, BytesView key, BytesView valueType,
    BytesView defaultValue, Bytes& result);

} // namespace kalvon
