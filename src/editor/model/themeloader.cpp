#include "editor/model/themeloader.h"

#include "common/colortext.h"
#include "common/dialogs.h"
#include "common/inifile.h"
#include "common/paths.h"
#include "common/vbconv.h"
#include "editor/model/editorpaths.h"
#include "editor/model/editorstate.h"
#include "editor/model/resourcearchive.h"
#include "editor/model/themekeys.h"

#include <fstream>
#include <system_error>
#include <vector>

namespace kalvon::editor {

namespace {

// A theme file is a few kilobytes; anything far larger is not one.
constexpr std::uintmax_t kMaxThemeFileBytes = 16 * 1024 * 1024;

// The file's bytes; "" when it cannot be read (the load then finds no theme type).
Bytes readThemeText(BytesView path)
{
    const std::optional<std::filesystem::path> file = localPath(path);
    if (!file)
        return {};
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(*file, error);
    if (error || size > kMaxThemeFileBytes)
        return {};
    std::ifstream in(*file, std::ios::binary);
    Bytes text(static_cast<size_t>(size), '\0');
    if (!in.read(text.data(), static_cast<std::streamsize>(size)))
        return {};
    return text;
}

// Lines ended by LF, CR LF or CR CR LF.
std::vector<BytesView> splitLines(BytesView text)
{
    std::vector<BytesView> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        const size_t next = end == BytesView::npos ? text.size() : end + 1;
        if (end == BytesView::npos)
            end = text.size();
        BytesView line = text.substr(start, end - start);
        while (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        lines.push_back(line);
        start = next;
    }
    return lines;
}

class ThemeLoader {
public:
    ThemeLoader(EditorState& state, BytesView path, Dialogs& dialogs, const std::filesystem::path& tempDir)
        : m_state(state)
        , m_path(path)
        , m_dialogs(dialogs)
        , m_tempDir(tempDir)
        , m_text(readThemeText(path))
        , m_ini(IniDocument::parse(m_text))
    {
    }

    bool load()
    {
        m_state.setText("txtDescription", ThemeFileDescription(m_text));
        m_state.setText("txtThemeName", valueOr("name", "Unknown"));
        m_state.setText("txtAuthor", valueOr("developer", "Unknown"));
        m_state.setText("txtVersion", valueOr("version", "Unknown"));

        const std::optional<Bytes> resource = value("resourcefile");
        if (resource) {
            m_state.setText("txtResource", *resource);
            UnpackResourceZip(m_state, ResourceArchivePath(m_path, *resource), m_dialogs, m_tempDir);
        }
        loadOptionalGroup(interfaceGroup());

        const std::optional<Bytes> typeText = value("themetype");
        const std::optional<int> type = typeText ? ThemeTypeValue(*typeText) : std::nullopt;
        if (!type)
            return stop(MissingThemeTypeMessage(m_path));
        if (*type == 1 && !resource)
            return stop(Bytes(kResourceFileRequiredMessage));
        m_state.setListIndex("cmbType", *type);

        if (*type == 0) {
            loadSkin();
        } else {
            for (const FrameSet& set : typeOneFrameSets())
                loadFrameSet(set);
        }
        loadFrameSet(explosionSet());
        loadFrameSet(bombSet());
        loadOptionalGroup(miscImagesGroup());
        loadColors();
        loadOptionalGroup(musicGroup());
        if (value("midi"))
            m_state.files().MusicPath = m_state.files().ResourceDir;
        loadOptionalGroup(soundsGroup());
        for (int i = 0; i < kColorCount; ++i)
            m_state.setSwatchColor(i, static_cast<uint32_t>(ParseColor(m_state.text(elementName("txtColor", i)))));

        m_state.files().CurrentFile = m_path;
        return true;
    }

private:
    std::optional<Bytes> value(BytesView key) const { return m_ini.value(kThemeSection, key); }

    Bytes valueOr(BytesView key, BytesView fallback) const { return value(key).value_or(Bytes(fallback)); }

    bool stop(BytesView message)
    {
        m_dialogs.messageBox(message, "Error", MessageIcon::Critical);
        m_state.files().CurrentFile.clear();
        return false;
    }

    // Reads `key` into a text box or check box; true when the key was present.
    bool loadKey(BytesView key, BytesView control, ValueForm form, BytesView textDefault)
    {
        const std::optional<Bytes> found = value(key);
        if (form == ValueForm::Text)
            m_state.setText(control, found ? BytesView(*found) : textDefault);
        else
            m_state.setValue(control, found ? FlagValue(*found) : 0);
        return found.has_value();
    }

    void loadFrameSet(const FrameSet& set)
    {
        m_state.setValue(set.includeBox, 0);
        for (const SetKey& entry : set.keys) {
            if (loadKey(entry.key, entry.control, entry.form, entry.loadDefault))
                m_state.setValue(set.includeBox, 1);
        }
        // The first frame's file name is not stored: frame 1 of the set.
        m_state.setText(set.firstFrame, m_state.text(set.root) + "1." + m_state.text(set.extension));
    }

    void loadOptionalGroup(const OptionalGroup& group)
    {
        m_state.setValue(group.includeBox, 0);
        for (const OptionalKey& entry : group.keys) {
            if (loadKey(entry.key, entry.box, ValueForm::Text, ""))
                m_state.setValue(group.includeBox, 1);
            if (!entry.flagKey.empty() && loadKey(entry.flagKey, entry.flagBox, ValueForm::Flag, ""))
                m_state.setValue(group.includeBox, 1);
        }
    }

    void loadColors()
    {
        m_state.setValue(kColorsIncludeBox, 0);
        const auto keys = colorKeys();
        for (size_t i = 0; i < keys.size(); ++i) {
            if (loadKey(keys[i], elementName("txtColor", static_cast<int>(i)), ValueForm::Text, kWhiteColorText))
                m_state.setValue(kColorsIncludeBox, 1);
        }
    }

    // The skin and its flags go into the type-0 controls, so a save keeps them.
    void loadSkin()
    {
        SkinPictureKeys& kept = m_state.skinPictureKeys();
        const std::optional<Bytes> skin = value("skinfile");
        m_state.setText("txtSkinFile", skin.value_or(Bytes()));
        m_state.setValue("chkSkinTransparent", skin ? FlagValue(valueOr("skintransparency", "0")) : 0);
        kept.specialwindowpic = skin ? value("specialwindowpic") : std::nullopt;
        kept.nextblockpic = skin ? value("nextblockpic") : std::nullopt;
    }

    EditorState& m_state;
    const Bytes m_path; // a copy: the caller may pass CurrentFile itself
    Dialogs& m_dialogs;
    const std::filesystem::path& m_tempDir;
    Bytes m_text;
    IniDocument m_ini;
};

} // namespace

Bytes MissingThemeTypeMessage(BytesView path)
{
    return "Could not load " + Bytes(path) + ".\rLocation: Themetype";
}

bool LoadThemeFile(EditorState& state, BytesView path, Dialogs& dialogs, const std::filesystem::path& tempDir)
{
    return ThemeLoader(state, path, dialogs, tempDir).load();
}

Bytes ThemeFileDescription(BytesView fileText)
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

int FlagValue(BytesView text)
{
    const std::optional<double> number = vb::toNumber(text);
    if (!number)
        return 0;
    const std::optional<int16_t> whole = vb::CInt(*number);
    if (whole && *whole >= 0 && *whole <= 2)
        return *whole;
    return 1;
}

std::optional<int> ThemeTypeValue(BytesView text)
{
    const std::optional<int16_t> type = vb::CInt(text);
    if (type && (*type == 0 || *type == 1))
        return *type;
    return std::nullopt;
}

Bytes ResourceArchivePath(BytesView themePath, BytesView value)
{
    const Bytes besideTheme = Bytes(folderPrefix(themePath));
    if (paths::hasDriveLetter(value))
        return besideTheme + Bytes(lastComponent(value));
    if (!value.empty() && value.front() == '/') {
        const std::optional<std::filesystem::path> file = localPath(value);
        std::error_code error;
        if (file && std::filesystem::exists(paths::findCaseInsensitive(*file), error))
            return Bytes(value);
        return besideTheme + Bytes(lastComponent(value));
    }
    return besideTheme + Bytes(value);
}

} // namespace kalvon::editor
