#include "editor/model/themewriter.h"

#include "common/atomicfile.h"
#include "common/dialogs.h"
#include "common/themefile/themefilewriter.h"
#include "editor/model/editorpaths.h"
#include "editor/model/editorstate.h"
#include "editor/model/themecontrols.h"

#include <string>

namespace kalvon::editor {

namespace {

// The theme as the controls hold it: each key's box text or check box value, the include
// boxes that are set (a grey box is not), and the type-0 keys no control shows.
themefile::ThemeContent contentOf(const EditorState& state)
{
    themefile::ThemeContent content;
    content.description = state.text("txtDescription");
    content.themetype = state.listIndex("cmbType");
    for (const themefile::KeyInfo& info : themefile::allKeys()) {
        const std::string_view control = controlOf(info.key);
        if (control.empty())
            continue;
        content[info.key] = info.kind == themefile::ValueKind::Flag ? std::to_string(state.value(control))
                                                                    : state.text(control);
    }
    const SkinPictureKeys& kept = state.skinPictureKeys();
    content[ThemeKey::SpecialWindowPic] = kept.specialwindowpic;
    content[ThemeKey::NextBlockPic] = kept.nextblockpic;
    for (size_t group = 0; group < themefile::kThemeGroupCount; ++group)
        content.included[group] = state.value(includeBoxOf(ThemeGroup(group))) == 1;
    return content;
}

} // namespace

std::optional<Bytes> ThemeFileBytes(const EditorState& state)
{
    return themefile::themeFileBytes(contentOf(state));
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
