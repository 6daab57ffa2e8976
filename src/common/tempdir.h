#pragma once
// The program's private temporary folder: $XDG_RUNTIME_DIR/kalvon/ or /tmp/kalvon-<uid>/,
// mode 0700, refused when another user owns it or it is not a real folder.

#include <filesystem>
#include <optional>

namespace kalvon {

// Checks or creates `folder` as a private folder of the current user. Nothing when it exists
// but belongs to someone else, is a link, or cannot be made private.
std::optional<std::filesystem::path> ensurePrivateFolder(const std::filesystem::path& folder);

// GetTempDir: the private folder, ending in "/". When the usual place is refused, a fresh
// private folder is created with mkdtemp; never an empty path.
std::filesystem::path GetTempDir();

} // namespace kalvon
