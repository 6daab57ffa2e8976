#include "common/inifile.h"

#include "common/cp1252.h"

#include <fstream>
#include <iterator>
#include <system_error>

namespace kalvon {

namespace {

// What a value read through a 255-byte buffer can hold.
constexpr size_t kMaxValueLength = 254;

// One pair of matching quotes around a value is dropped, as the profile functions do.
BytesView stripQuotes(BytesView value)
{
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

} // namespace

IniDocument IniDocument::parse(BytesView text)
{
    IniDocument document;
    Section* current = nullptr; // lines before the first section belong to none
    size_t pos = 0;
    while (pos < text.size()) {
        // CR and LF both end a line, so CR LF, CR CR LF and LF all read alike; the empty
        // lines between them are skipped like any other.
        size_t end = text.find_first_of("\r\n", pos);
        if (end == BytesView::npos)
            end = text.size();
        const BytesView line = trimBlanks(text.substr(pos, end - pos));
        pos = end + 1;

        if (line.empty() || line.front() == ';')
            continue;
        if (const std::optional<BytesView> name = sectionHeader(line)) {
            document.m_sections.push_back({ Bytes(*name), {} });
            current = &document.m_sections.back();
            continue;
        }
        const size_t equals = line.find('=');
        if (current == nullptr || equals == BytesView::npos)
            continue;
        const BytesView value = stripQuotes(trimBlanks(line.substr(equals + 1)));
        current->entries.push_back(
            { Bytes(trimBlanks(line.substr(0, equals))), Bytes(value.substr(0, kMaxValueLength)) });
    }
    return document;
}

Bytes iniValueText(BytesView value)
{
    if (trimBlanks(value).size() == value.size() && stripQuotes(value).size() == value.size())
        return Bytes(value);
    return '"' + Bytes(value) + '"';
}

std::optional<BytesView> sectionHeader(BytesView line)
{
    line = trimBlanks(line);
    const size_t close = line.find(']');
    if (line.empty() || line.front() != '[' || close == BytesView::npos)
        return std::nullopt;
    return trimBlanks(line.substr(1, close - 1));
}

std::optional<IniDocument> IniDocument::load(const std::filesystem::path& file)
{
    // Only ordinary files: a folder reads as nothing and a pipe would never end.
    std::error_code error;
    if (!std::filesystem::is_regular_file(file, error))
        return std::nullopt;
    std::ifstream in(file, std::ios::binary);
    if (!in)
        return std::nullopt;
    const Bytes text{ std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>() };
    if (in.bad())
        return std::nullopt;
    return parse(text);
}

std::optional<Bytes> IniDocument::value(BytesView section, BytesView key) const
{
    section = trimBlanks(section);
    key = trimBlanks(key);
    for (const Section& candidate : m_sections) {
        if (!equalsNoCase(candidate.name, section))
            continue;
        // Only the first section of that name is read; a repeated one is never seen.
        for (const Entry& entry : candidate.entries) {
            if (equalsNoCase(entry.key, key))
                return entry.value;
        }
        return std::nullopt;
    }
    return std::nullopt;
}

namespace {

struct Hive {
    BytesView word;
    uint32_t handle;
};

constexpr Hive kHives[] = { { "HKCU", 0x80000001u }, { "HKLM", 0x80000002u }, { "HKU", 0x80000003u },
    { "HKDD", 0x80000006u }, { "HKCC", 0x80000005u }, { "HKCR", 0x80000000u } };

constexpr uint32_t kIniFile = 1;
constexpr int32_t kRegistryNotFound = 2;

std::filesystem::path filePath(BytesView location)
{
    return std::filesystem::path(cp1252ToUtf8(location));
}

} // namespace

uint32_t HiveFromName(BytesView location)
{
    for (const Hive& hive : kHives) {
        if (equalsNoCase(location, hive.word))
            return hive.handle;
    }
    // A NUL would end the name the system sees, naming a different file.
    if (location.empty() || location.find('\0') != BytesView::npos)
        return 0;
    // An ordinary file that is not hidden, as a directory listing of ordinary files finds it.
    const std::filesystem::path path = filePath(location);
    const Bytes name = path.filename().string();
    if (name.empty() || name.front() == '.')
        return 0;
    std::error_code error;
    return std::filesystem::is_regular_file(path, error) ? kIniFile : 0;
}

int32_t ReadSetting(BytesView location, BytesView section, BytesView key, BytesView valueType,
    BytesView defaultValue, Bytes& result)
{
    result = Bytes(defaultValue);
    const uint32_t hive = HiveFromName(location);
    if (hive == 0)
        return kReadSettingNoLocation;
    if (hive != kIniFile) {
        // There is no registry on this system and no store standing in for it: every value
        // is missing, so the answer is the registry's "not found" with the default.
        return kRegistryNotFound;
    }
    // Other value types read an integer that never reaches the result: the default stays.
    if (!equalsNoCase(valueType, "S"))
        return kReadSettingOk;
    // An unreadable file, a missing section or a missing key all leave the default.
    if (const auto document = IniDocument::load(filePath(location))) {
        if (auto value = document->value(section, key))
            result = std::move(*value);
    }
    return kReadSettingOk;
}

} // namespace kalvon
