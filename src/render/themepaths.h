#pragma once
// Paths inside themes: stored as the theme (often made on Windows) wrote them, with "\" or "/"
// and in any case; found on this system through the path rules of common/paths.h.

#include "common/bytes.h"

#include <filesystem>

namespace kalvon {

// The file a stored path names: "\" as "/", a relative path taken from `baseDir`, and the
// exact name tried first, then a case-blind match. Empty for an empty or drive-letter path.
std::filesystem::path themeFilePath(BytesView stored, const std::filesystem::path& baseDir);

// A path of this system as a text of the theme record (Windows-1252 bytes).
Bytes pathText(const std::filesystem::path& path);

// A folder as a text ending in "/", ready to have names appended.
Bytes folderText(const std::filesystem::path& folder);

} // namespace kalvon
