#pragma once
// Loading a theme file into the editor's controls: every value, or its default when the key is
// missing, goes into its control through the control's handler; a group's include box is set
// when any of its keys is present; the resource archive is unpacked as soon as it is named.

#include "common/bytes.h"

#include <filesystem>
#include <optional>
#include <string_view>

namespace kalvon {
class Dialogs;
}

namespace kalvon::editor {

class EditorState;

// The two messages that stop a load (title "Error", critical icon). The game's loader shows
// the same texts.
Bytes MissingThemeTypeMessage(BytesView path); // "Could not load " path "." CR "Location: Themetype"
inline constexpr std::string_view kResourceFileRequiredMessage = "Theme Type 1 REQUIRES a Resource File!";

// LoadThemeFile: true when the theme was loaded, and CurrentFile is then `path`. False when
// the load stopped with one of the two messages: a missing theme type (also a value other than
// 0 or 1, and a file that cannot be read), or type 1 without a `resourcefile` key. What was
// read until then stays in the controls, and CurrentFile is cleared so that a Save cannot
// overwrite the file that failed to load. `tempDir` is the private temporary folder.
bool LoadThemeFile(EditorState& state, BytesView path, Dialogs& dialogs, const std::filesystem::path& tempDir);

// The description block of a theme file's text: the lines between the header line and the
// " " line before "[Theme Info]", without the line end the writer adds after it, so that
// writing it back reproduces the file.
Bytes ThemeFileDescription(BytesView fileText);

// A flag value for a check box: 0, 1 and 2 as they are; any other number 1 (readers count any
// non-zero value as set); a text that is no number 0.
int FlagValue(BytesView text);

// The theme type of a `themetype` value: 0 or 1, nothing for anything else.
std::optional<int> ThemeTypeValue(BytesView text);

// The archive a `resourcefile` value names, for a theme file at `themePath`: relative values
// beside the theme file; an absolute value as it is when that file exists, otherwise (and for
// a drive-letter path) its last component beside the theme file.
Bytes ResourceArchivePath(BytesView themePath, BytesView value);

} // namespace kalvon::editor
