#pragma once
// The theme file writer: the theme held in the editor's controls as a .kvx file, laid out by
// the theme file writer (common/themefile) that every reader of the system expects.

#include "common/bytes.h"

#include <optional>

namespace kalvon {
class Dialogs;
}

namespace kalvon::editor {

class EditorState;

// The file's bytes, or nothing when the type list selects neither type 0 nor type 1.
std::optional<Bytes> ThemeFileBytes(const EditorState& state);

// WriteThemeFile: writes the file whole through a temporary file, so a failure leaves an
// existing file as it was. On any failure, including a theme without a type, it shows
// "Could not save " and the path (critical, "Error") and returns false. Changes no state.
[[nodiscard]] bool WriteThemeFile(const EditorState& state, BytesView path, Dialogs& dialogs);

} // namespace kalvon::editor
