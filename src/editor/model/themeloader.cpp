#include "editor/model/themeloader.h"

#include "common/colortext.h"
#include "common/themefile/resourcepath.h"
#include "common/themefile/themefile.h"
#include "common/themefile/thememessages.h"
#include "editor/model/editorpaths.h"
#include "editor/model/editorstate.h"
#include "editor/model/resourcearchive.h"
#include "editor/model/themecontrols.h"

#include <optional>

namespace kalvon::editor {

namespace {

using themefile::KeyInfo;
using themefile::ThemeFile;

ThemeFile readThemeFile(BytesView path)
{
    const std::optional<std::filesystem::path> file = localPath(path);
    return file ? ThemeFile::load(*file) : ThemeFile();
}

class ThemeLoader {
public:
    ThemeLoader(EditorState& state, BytesView path, Dialogs& dialogs, const std::filesystem::path& tempDir)
        : m_state(state)
        , m_path(path)
        , m_dialogs(dialogs)
        , m_tempDir(tempDir)
        , m_file(readThemeFile(path))
    {
    }

    bool load()
    {
        m_state.setText("txtDescription", m_file.description());
        for (ThemeKey identity : { ThemeKey::Name, ThemeKey::Developer, ThemeKey::Version })
            loadKey(identity);

        const std::optional<Bytes> resource = m_file.text(ThemeKey::ResourceFile);
        if (resource) {
            m_state.setText(controlOf(ThemeKey::ResourceFile), *resource);
            UnpackResourceZip(
                m_state, themefile::resourceArchivePath(m_path, *resource), m_dialogs, m_tempDir);
        }
        loadGroup(ThemeGroup::Interface);

        // The type list takes type 0 or 1; any other value is no theme type.
        std::optional<int32_t> type = m_file.number(ThemeKey::ThemeType);
        if (type && *type != 0 && *type != 1)
            type.reset();
        if (!type)
            return stop(themefile::missingThemeTypeMessage(m_path));
        if (*type == 1 && !resource)
            return stop(themefile::kResourceFileRequiredMessage);
        m_state.setListIndex("cmbType", *type);

        if (*type == 0) {
            loadSkin();
        } else {
            for (ThemeGroup set : themefile::kTypeOneFrameSets)
                loadGroup(set);
        }
        for (ThemeGroup group : { ThemeGroup::Explosion, ThemeGroup::Bomb, ThemeGroup::MiscImages,
                 ThemeGroup::Colors, ThemeGroup::Music })
            loadGroup(group);
        if (m_file.text(ThemeKey::Midi))
            m_state.files().MusicPath = m_state.files().ResourceDir;
        loadGroup(ThemeGroup::Sounds);
        for (int i = 0; i < kColorCount; ++i)
            m_state.setSwatchColor(
                i, static_cast<uint32_t>(ParseColor(m_state.text(elementName("txtColor", i)))));

        m_state.files().CurrentFile = m_path;
        return true;
    }

private:
    bool stop(BytesView message)
    {
        themefile::showThemeError(m_dialogs, message);
        m_state.files().CurrentFile.clear();
        return false;
    }

    // Reads `key` into its text box or check box, a missing key as its default; true when the
    // key was present.
    bool loadKey(ThemeKey key)
    {
        const std::string_view control = controlOf(key);
        if (themefile::keyInfo(key).kind == themefile::ValueKind::Flag)
            m_state.setValue(control, m_file.checkBoxValue(key));
        else
            m_state.setText(control, m_file.textOrDefault(key));
        return m_file.text(key).has_value();
    }

    void loadGroup(ThemeGroup group)
    {
        const std::string_view includeBox = includeBoxOf(group);
        m_state.setValue(includeBox, 0);
        for (const KeyInfo& entry : themefile::groupKeys(group)) {
            if (loadKey(entry.key))
                m_state.setValue(includeBox, 1);
        }
        // A group whose keys are written only when filled is saved as its title alone when it
        // was ticked with every box empty; the title keeps it ticked.
        const themefile::GroupInfo& info = themefile::groupInfo(group);
        if (info.layout == themefile::GroupLayout::FilledKeys && m_file.hasSectionLine(info.title))
            m_state.setValue(includeBox, 1);
        // The first frame's file name is not stored: frame 1 of the set.
        if (const std::optional<FirstFrameBox> first = firstFrameBoxOf(group)) {
            m_state.setText(first->box,
                m_state.text(controlOf(first->root)) + "1." + m_state.text(controlOf(first->extension)));
        }
    }

    // The skin and its flags go into the type-0 controls, so a save keeps them.
    void loadSkin()
    {
        SkinPictureKeys& kept = m_state.skinPictureKeys();
        const std::optional<Bytes> skin = m_file.text(ThemeKey::SkinFile);
        m_state.setText(controlOf(ThemeKey::SkinFile), skin.value_or(Bytes()));
        m_state.setValue(controlOf(ThemeKey::SkinTransparency),
            skin ? m_file.checkBoxValue(ThemeKey::SkinTransparency) : 0);
        kept.specialwindowpic = skin ? m_file.text(ThemeKey::SpecialWindowPic) : std::nullopt;
        kept.nextblockpic = skin ? m_file.text(ThemeKey::NextBlockPic) : std::nullopt;
    }

    EditorState& m_state;
    const Bytes m_path; // a copy: the caller may pass CurrentFile itself
    Dialogs& m_dialogs;
    const std::filesystem::path& m_tempDir;
    const ThemeFile m_file;
};

} // namespace

bool LoadThemeFile(EditorState& state, BytesView path, Dialogs& dialogs, const std::filesystem::path& tempDir)
{
    return ThemeLoader(state, path, dialogs, tempDir).load();
}

} // namespace kalvon::editor
