#include "common/themefile/themefile.h"

#include "common/colortext.h"
#include "common/vbconv.h"

#include <algorithm>
#include <fstream>
#include <system_error>
#include <vector>

namespace kalvon::themefile {

namespace {

// A theme file is a few kilobytes; anything far larger is not one.
constexpr std::uintmax_t kMaxThemeFileBytes = 16 * 1024 * 1024;

// The file's bytes; nothing when it cannot be read.
std::optional<Bytes> readThemeText(const std::filesystem::path& file)
{
    // Only ordinary files: a folder reads as nothing and a pipe would never end.
    std::error_code error;
    if (!std::filesystem::is_regular_file(file, error))
        return std::nullopt;
    const std::uintmax_t size = std::filesystem::file_size(file, error);
    if (error || size > kMaxThemeFileBytes)
        return std::nullopt;
    std::ifstream in(file, std::ios::binary);
    Bytes text(static_cast<size_t>(size), '\0');
    if (!in.read(text.data(), static_cast<std::streamsize>(size)))
        return std::nullopt;
    return text;
}

// Lines ended by LF, CR LF, CR CR LF or a lone CR: the lines the ini reader sees, so the
// description and the section's lines are found where the reader finds the section.
std::vector<BytesView> splitLines(BytesView text)
{
    std::vector<BytesView> lines;
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = std::min(text.find_first_of("\r\n", start), text.size());
        lines.push_back(text.substr(start, end - start));
        if (text.compare(end, 3, "\r\r\n") == 0)
            start = end + 3;
        else if (text.compare(end, 2, "\r\n") == 0)
            start = end + 2;
        else
            start = end + 1;
    }
    return lines;
}

} // namespace

ThemeFile::ThemeFile() = default;

ThemeFile ThemeFile::parse(BytesView text)
{
    ThemeFile file;
    file.m_text = Bytes(text);
    file.m_document = IniDocument::parse(text);
    return file;
}

ThemeFile ThemeFile::load(const std::filesystem::path& file)
{
    const std::optional<Bytes> text = readThemeText(file);
    return text ? parse(*text) : ThemeFile();
}

std::optional<Bytes> ThemeFile::text(ThemeKey key) const
{
    std::optional<Bytes> value = m_document.value(kThemeSection, keyInfo(key).name);
    if (value && *value == kMissingSettingText)
        return std::nullopt;
    return value;
}

Bytes ThemeFile::textOrDefault(ThemeKey key) const
{
    return text(key).value_or(Bytes(keyInfo(key).missingText));
}

std::optional<int32_t> ThemeFile::number(ThemeKey key) const
{
    const std::optional<Bytes> value = text(key);
    if (!value)
        return std::nullopt;
    switch (keyInfo(key).kind) {
    case ValueKind::Int16: {
        const std::optional<int16_t> whole = vb::CInt(BytesView(*value));
        return whole ? std::optional<int32_t>(*whole) : std::nullopt;
    }
    case ValueKind::Int32: return vb::CLng(BytesView(*value));
    default: return std::nullopt;
    }
}

std::optional<bool> ThemeFile::flag(ThemeKey key) const
{
    const std::optional<Bytes> value = text(key);
    if (!value)
        return std::nullopt;
    const std::optional<double> number = vb::toNumber(*value);
    return number ? std::optional<bool>(*number != 0) : std::nullopt;
}

int ThemeFile::checkBoxValue(ThemeKey key) const
{
    const std::optional<Bytes> value = text(key);
    return value ? themefile::checkBoxValue(*value) : 0;
}

int32_t ThemeFile::color(ThemeKey key) const
{
    return ParseColor(textOrDefault(key));
}

Bytes ThemeFile::description() const
{
    return themeFileDescription(m_text);
}

bool ThemeFile::hasSectionLine(BytesView wanted) const
{
    bool inSection = false;
    for (BytesView line : splitLines(m_text)) {
        if (const std::optional<BytesView> name = sectionHeader(line))
            inSection = equalsNoCase(*name, kThemeSection);
        else if (inSection && line == wanted)
            return true;
    }
    return false;
}

int checkBoxValue(BytesView text)
{
    const std::optional<double> number = vb::toNumber(text);
    if (!number)
        return 0;
    const std::optional<int16_t> whole = vb::CInt(*number);
    if (whole && *whole >= 0 && *whole <= 2)
        return *whole;
    return 1;
}

Bytes themeFileDescription(BytesView fileText)
{
    const std::vector<BytesView> lines = splitLines(fileText);
    size_t section = 0;
    const auto opensThemeSection = [](BytesView line) {
        const std::optional<BytesView> name = sectionHeader(line);
        return name && equalsNoCase(*name, kThemeSection);
    };
    while (section < lines.size() && !opensThemeSection(lines[section]))
        ++section;
    if (section == 0 || section == lines.size())
        return {};
    size_t end = section;
    if (end > 1 && lines[end - 1] == " ")
        --end;
    Bytes description;
    for (size_t i = 1; i < end; ++i) {
        if (i > 1)
            description += "\r\n";
        description += lines[i];
    }
    return description;
}

} // namespace kalvon::themefile
