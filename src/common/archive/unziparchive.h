#pragma once
// Extracting a theme's resource archive (a standard ZIP) into a folder: every member, the
// archive's folders recreated, existing files overwritten without asking. Extraction is safe
// against hostile archives: "\" counts as a separator; members that are absolute, carry a drive
// letter or a ".." component, are symbolic links or nest deeper than the limit are skipped;
// links already in the target are never followed; extraction stops beyond the limits below.

#include <cstdint>
#include <filesystem>

namespace kalvon {

class Dialogs;

struct UnzipLimits {
    int64_t maxMembers = 20000;
    int64_t maxBytesWritten = int64_t(512) * 1024 * 1024;
    int64_t maxFolders = 20000; // folders made
    size_t maxDepth = 32; // folders and file name of one member
};

// Return codes of UnzipArchive.
inline constexpr int kUnzipOk = 0;
inline constexpr int kUnzipCannotOpen = 9; // missing or damaged archive
inline constexpr int kUnzipMemberFailed = 11; // one or more members could not be written or were skipped
inline constexpr int kUnzipLimitReached = 50; // stopped at a limit

// UnzipArchive: extracts `archive` into `target`, creating `target` when missing. An encrypted
// member asks "Please Enter The Password!" through `dialogs` once per extraction; an empty or
// cancelled answer refuses every later request of the same extraction without asking.
int UnzipArchive(const std::filesystem::path& archive, const std::filesystem::path& target, Dialogs& dialogs,
    const UnzipLimits& limits = {});

} // namespace kalvon
