#pragma once
// Path texts as the editor handles them: Windows-1252 bytes in which "/" and "\" both
// separate folders.

#include "common/bytes.h"

#include <filesystem>
#include <optional>

namespace kalvon::editor {

// The file a path text names on this system: absolute, or relative to the working folder.
// Nothing for a drive-letter path or an empty one.
std::optional<std::filesystem::path> localPath(BytesView path);
// The same, found without regard to case when the exact name is missing.
std::optional<std::filesystem::path> findLocalFile(BytesView path);

// The theme folder of a file path with its separator: the text up to and including the last
// separator ("C:\themes/dark\x.kvx" gives "C:\themes/dark\"); "" when the path has none.
BytesView folderPrefix(BytesView path);

// The text after the last separator (the whole text when there is none).
BytesView lastComponent(BytesView path);

} // namespace kalvon::editor
