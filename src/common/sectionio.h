#pragma once
// Reading and writing one section of the settings file. Loaders read their keys one by one in
// their own order; a key that is missing takes its default, and a value that does not convert
// (or that its control would refuse) ends the section at that key: the keys after it keep what
// the model held. Writers print lines ended by CR LF.

#include "common/bytes.h"
#include "common/inifile.h"

#include <cstdint>
#include <optional>

namespace kalvon {

class SectionReader {
public:
    enum class OnBadValue {
        StopSection, // the section loaders
        SkipKey, // [General]: only the failing key is skipped
    };

    SectionReader(
        const IniDocument& file, BytesView section, OnBadValue onBadValue = OnBadValue::StopSection);

    // The key's text, `defaultText` when the key is missing; nothing once the section has stopped.
    std::optional<Bytes> value(BytesView key, BytesView defaultText);
    // The key's text, nothing when it is missing or the section has stopped.
    std::optional<Bytes> storedValue(BytesView key);
    // Marks the key just read as bad.
    void refuse();

    void readText(BytesView key, BytesView defaultText, Bytes& target);
    // A check box takes 0, 1 or 2.
    void readCheckBox(BytesView key, int16_t defaultValue, int16_t& target);
    void readInt16(BytesView key, int16_t defaultValue, int16_t& target, int16_t min = INT16_MIN,
        int16_t max = INT16_MAX);
    void readInt32(BytesView key, int32_t defaultValue, int32_t& target);

    bool stopped() const { return m_stopped; }

private:
    const IniDocument& m_file;
    Bytes m_section;
    OnBadValue m_onBadValue;
    bool m_stopped = false;
};

class SettingsWriter {
public:
    void line(BytesView text);
    // The one-space separator line, then "[name]".
    void section(BytesView name);
    // "key=value". A value is one line: anything from a CR or LF on is not written, so no
    // text can add lines or sections of its own to the file. A value the reader would change
    // (blanks or quotes at its ends) is written in quotes (iniValueText).
    void key(BytesView key, BytesView value);
    void key(BytesView key, int64_t value);

    const Bytes& bytes() const { return m_bytes; }

private:
    Bytes m_bytes;
};

// The part of a text before its first CR or LF.
BytesView firstLine(BytesView text);

} // namespace kalvon
