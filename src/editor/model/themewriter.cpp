#include "editor/model/themewriter.h"

#include "common/atomicfile.h"
#include "common/dialogs.h"
#include "common/inifile.h"
#include "common/sectionio.h"
#include "editor/model/editorpaths.h"
#include "editor/model/editorstate.h"
#include "editor/model/themekeys.h"

#include <algorithm>
#include <string>

namespace kalvon::editor {

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
    explicit ThemeFileWriter(const EditorState& state)
        : m_state(state)
    {
    }

    Bytes write(int type)
    {
        line(kThemeFileHeader);
        m_out += descriptionLines(m_state.text("txtDescription"));
        m_out += "\r\n";
        line(" ");
        line("[Theme Info]");
        key("name", orUnknown("txtThemeName"));
        key("developer", orUnknown("txtAuthor"));
        key("version", orUnknown("txtVersion"));
        if (type == 1) {
            key("resourcefile", text("txtResource"));
            line("themetype=1");
            line(" ");
            if (included("chkIface"))
                WriteInterfaceSection();
            line("//-----------------");
            line("//Theme Type 1 Info");
            line("//-----------------");
            if (included("chkBG"))
                WriteBackgroundSection();
            if (included("chkBlk"))
                WriteBlocksSection();
            if (included("chkIBG"))
                WriteInternetBackgroundSection();
            if (included("chkSW"))
                WriteSpecialWindowSection();
            if (included("chkNext"))
                WriteNextBlockSection();
            if (included("chkExplosion"))
                WriteExplosionSection();
            if (included("chkBomb"))
                WriteBombSection();
            if (included("chkMImg"))
                WriteMiscImagesSection();
            if (included(kColorsIncludeBox))
                WriteColorsSection();
            if (included("chkMusic"))
                WriteMusicSection();
        } else {
            line("themetype=0");
            line(" ");
            line("//Theme Type 0 Info");
            if (!text("txtSkinFile").empty()) {
                key("skinfile", text("txtSkinFile"));
                key("skintransparency", flag("chkSkinTransparent"));
                const SkinPictureKeys& kept = m_state.skinPictureKeys();
                if (kept.specialwindowpic)
                    key("specialwindowpic", *kept.specialwindowpic);
                if (kept.nextblockpic)
                    key("nextblockpic", *kept.nextblockpic);
            }
            if (included("chkIface"))
                WriteInterfaceSection();
            if (included("chkMusic"))
                WriteMusicSection();
        }
        if (included("chkSounds"))
            WriteSoundsSection();
        return std::move(m_out);
    }

private:
    void WriteInterfaceSection() { writeOptionalGroup(interfaceGroup()); }
    void WriteBackgroundSection() { writeFrameSet(typeOneFrameSets()[0]); }
    void WriteBlocksSection() { writeFrameSet(typeOneFrameSets()[1]); }
    void WriteInternetBackgroundSection() { writeFrameSet(typeOneFrameSets()[2]); }
    void WriteSpecialWindowSection() { writeFrameSet(typeOneFrameSets()[3]); }
    void WriteNextBlockSection() { writeFrameSet(typeOneFrameSets()[4]); }
    void WriteExplosionSection() { writeFrameSet(explosionSet()); }
    void WriteBombSection() { writeFrameSet(bombSet()); }
    void WriteMiscImagesSection() { writeOptionalGroup(miscImagesGroup()); }
    void WriteMusicSection() { writeOptionalGroup(musicGroup()); }
    void WriteSoundsSection() { writeOptionalGroup(soundsGroup()); }

    void WriteColorsSection()
    {
        title(kColorsTitle);
        const auto keys = colorKeys();
        for (size_t i = 0; i < keys.size(); ++i) {
            const Bytes& color = text(elementName("txtColor", static_cast<int>(i)));
            key(keys[i], color.empty() ? kWhiteColorText : BytesView(color));
        }
    }

    void writeFrameSet(const FrameSet& set)
    {
        title(set.title);
        for (const SetKey& entry : set.keys) {
            switch (entry.form) {
            case ValueForm::Text: key(entry.key, text(entry.control)); break;
            case ValueForm::Flag: key(entry.key, flag(entry.control)); break;
            // The numeric print form: a blank for the sign before the digit, one after it.
            case ValueForm::PaddedFlag: key(entry.key, " " + flag(entry.control) + " "); break;
            }
        }
    }

    void writeOptionalGroup(const OptionalGroup& group)
    {
        title(group.title);
        for (const OptionalKey& entry : group.keys) {
            if (text(entry.box).empty())
                continue;
            key(entry.key, text(entry.box));
            if (!entry.flagKey.empty())
                key(entry.flagKey, flag(entry.flagBox));
        }
    }

    void title(BytesView titleLine)
    {
        line(" ");
        line(titleLine);
    }

    void line(BytesView text)
    {
        m_out += text;
        m_out += "\r\n";
    }

    // A value is one line: from a CR or LF on nothing is written, so no value adds keys.
    void key(BytesView name, BytesView value)
    {
        m_out += name;
        m_out += '=';
        line(firstLine(value));
    }

    const Bytes& text(BytesView control) const { return m_state.text(control); }
    Bytes flag(BytesView box) const { return std::to_string(m_state.value(box)); }
    bool included(BytesView box) const { return m_state.value(box) == 1; }

    Bytes orUnknown(BytesView control) const
    {
        const Bytes& value = text(control);
        return value.empty() ? Bytes("Unknown") : value;
    }

    const EditorState& m_state;
    Bytes m_out;
};

} // namespace

std::optional<Bytes> ThemeFileBytes(const EditorState& state)
{
    const int type = state.listIndex("cmbType");
    if (type != 0 && type != 1)
        return std::nullopt;
    return ThemeFileWriter(state).write(type);
}

bool WriteThemeFile(const EditorState& state, BytesView path, Dialogs& dialogs)
{
    const std::optional<Bytes> bytes = ThemeFileBytes(state);
    const std::optional<std::filesystem::path> file = localPath(path);
    if (bytes && file && writeFileAtomically(*file, *bytes).ok)
        return true;
    dialogs.messageBox("Could not save " + Bytes(path), "Error", MessageIcon::Critical);
    return false;
}

} // namespace kalvon::editor
