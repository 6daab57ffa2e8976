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
class LineCursor {
public:
    explicit LineCursor(BytesView text)
        : m_text(text)
    {
    }
    std::optional<BytesView> next()
    {
        if (m_start >= m_text.size())
            return std::nullopt;
        const size_t end = std::min(m_text.find_first_of("\r\n", m_start), m_text.size());
        const BytesView line = m_text.substr(m_start, end - m_start);
        if (m_text.compare(end, 3, "\r\r\n") == 0)
            m_start = end + 3;
        else if (m_text.compare(end, 2, "\r\n") == 0)
            m_start = end + 2;
        else
            m_start = end + 1;
        return line;
    }

private:
    BytesView m_text;
    size_t m_start = 0;
};

std::vector<BytesView> splitLines(BytesView text)
{
    std::vector<BytesView> lines;
    LineCursor cursor(text);
    while (const std::optional<BytesView> line = cursor.next())
        lines.push_back(*line);
    return lines;
}

} // namespace

ThemeFile::ThemeFile() = default;

ThemeFile ThemeFile::parse(BytesView text)
{
    ThemeFile file;
    file.m_text = Bytes(text);
    const IniDocument document = IniDocument::parse(text);
    file.m_values.resize(kThemeKeyCount);
    for (const KeyInfo& info : allKeys()) {
        std::optional<Bytes> value = document.value(kThemeSection, info.name);
        if (value && *value != kMissingSettingText)
            file.m_values[size_t(info.key)] = std::move(value);
    }
    bool inSection = false;
    const BytesView whole = file.m_text;
    LineCursor cursor(whole);
    while (const std::optional<BytesView> line = cursor.next()) {
        if (const std::optional<BytesView> name = sectionHeader(*line))
            inSection = equalsNoCase(*name, kThemeSection);
        else if (inSection)
            file.m_sectionLines.push_back({ size_t(line->data() - whole.data()), line->size() });
    }
    return file;
}

ThemeFile ThemeFile::load(const std::filesystem::path& file)
{
    const std::optional<Bytes> text = readThemeText(file);
    return text ? parse(*text) : ThemeFile();
}

std::optional<Bytes> ThemeFile::text(ThemeKey key) const
{
    if (m_values.empty())
        return std::nullopt;
    return m_values[size_t(key)];
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
    return std::any_of(m_sectionLines.begin(), m_sectionLines.end(), [&](const LineSpan& line) {
        return line.size == wanted.size() && BytesView(m_text).substr(line.start, line.size) == wanted;
    });
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
