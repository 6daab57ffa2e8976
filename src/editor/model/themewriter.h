#pragma once
// The theme file writer: the theme held in the editor's controls as a .kvx file, in the
// format every reader of the system expects (Windows-1252, CR LF after every line).

#include "common/bytes.h"

#include <optional>
#include <string_view>

namespace kalvon {
class Dialogs;
}

namespace kalvon::editor {

class EditorState;

// The header line; its last byte is the trade mark sign of Windows-1252.
inline constexpr std::string_view kThemeFileHeader = "//Kalvon Theme File - Created by Kalvon Theme Maker\x99";

// The file's bytes, or nothing when the type list selects neither type 0 nor type 1.
std::optional<Bytes> ThemeFileBytes(const EditorState& state);

// WriteThemeFile: writes the file whole through a temporary file, so a failure leaves an
// existing file as it was. On any failure, including a theme without a type, it shows
// "Could not save " and the path (critical, "Error") and returns false. Changes no state.
bool WriteThemeFile(const EditorState& state, BytesView path, Dialogs& dialogs);

} // namespace kalvon::editor
