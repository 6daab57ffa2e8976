#pragma once
// Loading a theme file into the editor's controls: every value, or its default when the key is
// missing, goes into its control through the control's handler; a group's include box is set
// when any of its keys is present; the resource archive is unpacked as soon as it is named.
// The file is read and its values checked by the theme file reader (common/themefile).

#include "common/bytes.h"

#include <filesystem>

namespace kalvon {
class Dialogs;
}

namespace kalvon::editor {

class EditorState;

// LoadThemeFile: true when the theme was loaded, and CurrentFile is then `path`. False when
// the load stopped with one of the two messages: a missing theme type (also a value other than
// 0 or 1, and a file that cannot be read), or type 1 without a `resourcefile` key. What was
// read until then stays in the controls, and CurrentFile is cleared so that a Save cannot
// overwrite the file that failed to load. `tempDir` is the private temporary folder.
bool LoadThemeFile(
    EditorState& state, BytesView path, Dialogs& dialogs, const std::filesystem::path& tempDir);

} // namespace kalvon::editor
