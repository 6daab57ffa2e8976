#include "common/sectionio.h"

#include "common/vbconv.h"

namespace kalvon {

SectionReader::SectionReader(const IniDocument& file, BytesView section, OnBadValue onBadValue)
    : m_file(file)
    , m_section(section)
    , m_onBadValue(onBadValue)
{
}

std::optional<Bytes> SectionReader::storedValue(BytesView key)
{
    if (m_stopped)
        return std::nullopt;
    std::optional<Bytes> text = m_file.value(m_section, key);
    if (text && *text == kMissingSettingText)
        return std::nullopt;
    return text;
}

std::optional<Bytes> SectionReader::value(BytesView key, BytesView defaultText)
{
    if (m_stopped)
        return std::nullopt;
    std::optional<Bytes> text = storedValue(key);
    return text ? std::move(*text) : Bytes(defaultText);
}

void SectionReader::refuse()
{
    if (m_onBadValue == OnBadValue::StopSection)
        m_stopped = true;
}

void SectionReader::readText(BytesView key, BytesView defaultText, Bytes& target)
{
    if (std::optional<Bytes> text = value(key, defaultText))
        target = std::move(*text);
}

void SectionReader::readCheckBox(BytesView key, int16_t defaultValue, int16_t& target)
{
    readInt16(key, defaultValue, target, 0, 2);
}

void SectionReader::readInt16(BytesView key, int16_t defaultValue, int16_t& target, int16_t min, int16_t max)
{
    const std::optional<Bytes> text = value(key, vb::formatInt(defaultValue));
    if (!text)
        return;
    const std::optional<int16_t> number = vb::CInt(*text);
    if (!number || *number < min || *number > max)
        return refuse();
    target = *number;
}

void SectionReader::readInt32(BytesView key, int32_t defaultValue, int32_t& target)
{
    const std::optional<Bytes> text = value(key, vb::formatInt(defaultValue));
    if (!text)
        return;
    const std::optional<int32_t> number = vb::CLng(*text);
    if (!number)
        return refuse();
    target = *number;
}

BytesView firstLine(BytesView text)
{
    return text.substr(0, text.find_first_of("\r\n"));
}

void SettingsWriter::line(BytesView text)
{
    m_bytes.append(text);
    m_bytes.append("\r\n");
}

void SettingsWriter::section(BytesView name)
{
    line(" ");
    m_bytes.append("[");
    m_bytes.append(name);
    line("]");
}

void SettingsWriter::key(BytesView key, BytesView value)
{
    m_bytes.append(key);
    m_bytes.append("=");
    line(iniValueText(firstLine(value)));
}

void SettingsWriter::key(BytesView key, int64_t value)
{
    this->key(key, vb::formatInt(value));
}

} // namespace kalvon
