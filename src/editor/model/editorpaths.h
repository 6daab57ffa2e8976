#pragma once
// Path texts as the editor resolves them: Windows-1252 bytes in which "/" and "\" both
// separate folders, relative ones taken from the working folder.

#include "common/bytes.h"

#include <filesystem>
#include <optional>

namespace kalvon::editor {

// The file a path text names on this system: absolute, or relative to the working folder.
// Nothing for a drive-letter path or an empty one.
std::optional<std::filesystem::path> localPath(BytesView path);
// The same, found without regard to case when the exact name is missing.
std::optional<std::filesystem::path> findLocalFile(BytesView path);

} // namespace kalvon::editor
