#include "common/themefile/themefilewriter.h"

#include "common/inifile.h"
#include "common/sectionio.h"

#include <algorithm>

namespace kalvon::themefile {

namespace {

// Description texts may come from a widget with bare LF (or CR) line breaks: every line of the
// file ends in CR LF. A line that readers would take for the theme's own section header (they
// read the first one) is made a comment, so the keys below stay the theme's.
Bytes descriptionLines(BytesView text)
{
    Bytes out;
    out.reserve(text.size() + 16);
    size_t start = 0;
    while (true) {
        const size_t end = std::min(text.find_first_of("\r\n", start), text.size());
        const BytesView line = text.substr(start, end - start);
        const std::optional<BytesView> section = sectionHeader(line);
        if (section && equalsNoCase(*section, kThemeSection))
            out += "//";
        out += line;
        if (end == text.size())
            return out;
        out += "\r\n";
        start = text.compare(end, 2, "\r\n") == 0 ? end + 2 : end + 1;
    }
}

class ThemeFileWriter {
public:
    explicit ThemeFileWriter(const ThemeContent& content)
        : m_content(content)
    {
    }

    Bytes write()
    {
        line(kThemeFileHeader);
        m_out += descriptionLines(m_content.description);
        m_out += "\r\n";
        line(" ");
        line("[" + Bytes(kThemeSection) + "]");
        for (ThemeKey identity : { ThemeKey::Name, ThemeKey::Developer, ThemeKey::Version }) {
            const Bytes value = text(identity);
            key(identity, value.empty() ? kUnknownText : BytesView(value));
        }
        if (m_content.themetype == 1) {
            key(ThemeKey::ResourceFile, text(ThemeKey::ResourceFile));
            line("themetype=1");
            line(" ");
            group(ThemeGroup::Interface);
            line("//-----------------");
            line("//Theme Type 1 Info");
            line("//-----------------");
            for (ThemeGroup set : kTypeOneFrameSets)
                group(set);
            for (ThemeGroup other : { ThemeGroup::Explosion, ThemeGroup::Bomb, ThemeGroup::MiscImages,
                     ThemeGroup::Colors, ThemeGroup::Music })
                group(other);
        } else {
            line("themetype=0");
            line(" ");
            line("//Theme Type 0 Info");
            if (!text(ThemeKey::SkinFile).empty()) {
                key(ThemeKey::SkinFile, text(ThemeKey::SkinFile));
                for (ThemeKey skinFlag :
                    { ThemeKey::SkinTransparency, ThemeKey::SpecialWindowPic, ThemeKey::NextBlockPic }) {
                    if (m_content[skinFlag])
                        key(skinFlag, *m_content[skinFlag]);
                }
            }
            group(ThemeGroup::Interface);
            group(ThemeGroup::Music);
        }
        group(ThemeGroup::Sounds);
        return std::move(m_out);
    }

private:
    // The group's title and keys, when it is included.
    void group(ThemeGroup which)
    {
        if (!m_content.includes(which))
            return;
        const GroupInfo& info = groupInfo(which);
        line(" ");
        line(info.title);
        for (const KeyInfo& entry : groupKeys(which)) {
            const Bytes value = text(entry.key);
            if (info.layout == GroupLayout::FilledKeys) {
                const bool written = entry.parent ? !text(*entry.parent).empty() : !value.empty();
                if (written)
                    key(entry.key, value);
            } else if (entry.kind == ValueKind::Color && value.empty()) {
                key(entry.key, kWhiteColorText);
            } else if (entry.padded) {
                // The numeric print form: a blank for the sign before the digit, one after it.
                key(entry.key, value, " ");
            } else {
                key(entry.key, value);
            }
        }
    }

    Bytes text(ThemeKey which) const { return m_content[which].value_or(Bytes()); }

    void line(BytesView text)
    {
        m_out += text;
        m_out += "\r\n";
    }

    // "name=value", with `pad` on both sides of the value (the reader trims it). A value the
    // reader would change is written in quotes.
    void key(ThemeKey which, BytesView value, BytesView pad = {})
    {
        m_out += keyInfo(which).name;
        m_out += '=';
        m_out += pad;
        m_out += iniValueText(firstLine(value));
        line(pad);
    }

    const ThemeContent& m_content;
    Bytes m_out;
};

} // namespace

std::optional<Bytes> themeFileBytes(const ThemeContent& content)
{
    if (content.themetype != 0 && content.themetype != 1)
        return std::nullopt;
    return ThemeFileWriter(content).write();
}

} // namespace kalvon::themefile
