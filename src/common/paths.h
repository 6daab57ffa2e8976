#pragma once
// Where files are: the program folder, stored paths turned into paths of this system, the
// case-blind fallback for names inside themes, and the folder settings files are written to.

#include "common/bytes.h"

#include <filesystem>
#include <optional>

namespace kalvon::paths {

// The folder of the running program (from /proc/self/exe).
std::filesystem::path programDir();

// A stored path as used: "\" becomes "/".
Bytes toSlashes(BytesView stored);

// True for a path that starts with a drive letter ("C:\..." or "C:/..."): it names no file here.
bool hasDriveLetter(BytesView stored);

// The file a stored path names: absolute when it starts with "/", otherwise relative to
// `baseDir` (a path starting with "\" is relative too). The bytes are Windows-1252 and are
// converted to the file system's UTF-8. Nothing for a drive-letter path, an empty one, or one
// holding a NUL byte (the system would cut the name there).
std::optional<std::filesystem::path> resolve(BytesView stored, const std::filesystem::path& baseDir);

// The path itself when it exists; otherwise an existing path that matches it case-blind,
// component by component (ASCII and Windows-1252 letters; exact spellings first, then the
// others in name order); otherwise the path unchanged.
std::filesystem::path findCaseInsensitive(const std::filesystem::path& path);

// The folder for the files that live beside the program (kalvon.ini, scores.ini, banlist.txt,
// kvm.ini): `programFolder` when a file can be created in it, else $XDG_CONFIG_HOME/kalvon (or
// ~/.config/kalvon), created when missing.
std::filesystem::path settingsDir(const std::filesystem::path& programFolder);

} // namespace kalvon::paths
