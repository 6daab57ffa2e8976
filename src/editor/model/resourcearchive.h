#pragma once
// A type-1 theme's resource archive, unpacked for editing into "kalvon/" + the archive's base
// name + "/" under the private temporary folder, and paths inside that folder made relative
// to it (the names a theme file stores).

#include "common/bytes.h"

#include <filesystem>

namespace kalvon {
class Dialogs;
}

namespace kalvon::editor {

class EditorState;
struct EditorFiles;

// The base name of an archive path: the text before the first ".zip" (case-sensitive), and of
// that the part after the last "/" or "\". Empty when the path holds no ".zip", and when the
// name would be "." or "..", so no archive name can lead out of the product folder.
Bytes ResourceBaseName(BytesView zipPath);

// UnpackResourceZip: creates the folders, extracts every member of the archive (see
// UnzipArchive for the safety rules) and sets ResourceDir and ResourceRelDir, also when the
// archive could not be unpacked. A missing, damaged or partly unpacked archive shows "Could not
// load resource file " and the archive path (critical, "Error"). `tempDir` is the private
// temporary folder (GetTempDir()).
void UnpackResourceZip(
    EditorState& state, BytesView zipPath, Dialogs& dialogs, const std::filesystem::path& tempDir);

// MakeResourceRelative: the part of `path` after the resource folder, found without regard to
// case or to the kind of separator; the path unchanged when it lies outside the folder.
Bytes MakeResourceRelative(const EditorState& state, BytesView path);

// The file a box names, as the previews and the sound tryout open it: an absolute name (one
// browsed outside the resource folder) as it stands, any other name inside ResourceDir (with
// no archive unpacked, relative to the working folder).
Bytes ResourceFilePath(const EditorFiles& files, BytesView name);
// The music file of the music box: as ResourceFilePath, but inside MusicPath while that is set.
Bytes MusicFilePath(const EditorFiles& files, BytesView name);

} // namespace kalvon::editor
