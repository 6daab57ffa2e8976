#pragma once
// A theme's resource archive unpacked into its theme folder, and the theme files of a folder.

#include "common/bytes.h"

#include <filesystem>
#include <vector>

namespace kalvon {

class Dialogs;

// Where theme files go and come from.
struct ThemeFolders {
    // GetTempDir(): the private temporary folder. The current theme unpacks into it, the
    // preview into its "preview/" sub-folder.
    std::filesystem::path tempDir;
    // The folder relative paths start from (the program's).
    std::filesystem::path programDir;
};

// UnpackThemeResources: unpacks `archive` (a path text) into the temporary folder & `subfolder`
// ("" or "preview\"), creating both folders. A missing or damaged archive is not reported (the
// theme's pictures are then looked up in whatever the folder holds); a failure of the
// extraction itself shows "Could not load resource file " & archive.
void UnpackThemeResources(
    BytesView archive, BytesView subfolder, const ThemeFolders& folders, Dialogs& dialogs);

// ListThemeFiles: `folder` (a path text ending in "/" or "\") & name for each ordinary file of
// the folder whose name is longer than four characters and ends in ".kvx" in any case, in the
// order the file system gives them. Empty when the folder cannot be read.
std::vector<Bytes> ListThemeFiles(BytesView folder, const std::filesystem::path& baseDir);

} // namespace kalvon
