#pragma once
// The program's private temporary folder: $XDG_RUNTIME_DIR/kalvon/ or /tmp/kalvon-<uid>/,
// mode 0700, refused when another user owns it or it is not a real folder.

#include <filesystem>
#include <optional>

namespace kalvon {

// Checks or creates `folder` as a private folder of the current user. Nothing when it exists
// but belongs to someone else, is a link, or cannot be made private.
std::optional<std::filesystem::path> ensurePrivateFolder(const std::filesystem::path& folder);

// Finds the private temporary folder: `runtimeDir`/kalvon when `runtimeDir` is an absolute
// path where that folder is usable, else `sharedTmp`/kalvon-<uid>. When both are refused it
// makes a fresh private folder `sharedTmp`/kalvon-<uid>-XXXXXX once and keeps naming it, since
// callers build every path from the temporary folder afresh (an archive unpacked into one call's
// folder is loaded from the next call's). The result ends in "/" and is never empty.
class TempDirFinder {
public:
    explicit TempDirFinder(std::filesystem::path sharedTmp = "/tmp");
    std::filesystem::path find(const char* runtimeDir);

private:
    std::filesystem::path m_sharedTmp;
    std::filesystem::path m_fresh;
};

// GetTempDir: the private folder of this process, from $XDG_RUNTIME_DIR and /tmp, ending in
// "/". Never an empty path.
std::filesystem::path GetTempDir();

} // namespace kalvon
