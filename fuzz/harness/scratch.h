#pragma once
// Files for the targets that read or write them: one scratch folder per process (below
// $TMPDIR, else /dev/shm or /tmp), removed with everything in it when the process ends
// normally.

#include "common/bytes.h"

#include <filesystem>
#include <string>
#include <vector>

namespace kalvon::fuzz {

const std::filesystem::path& scratchRoot();

// Makes `folder` exist and be empty.
void resetFolder(const std::filesystem::path& folder);

void writeBytes(const std::filesystem::path& file, BytesView bytes);
Bytes readBytes(const std::filesystem::path& file);

// One entry of a folder tree: its path relative to the folder ("a/b.bmp") and its kind.
struct TreeEntry {
    enum class Kind { File, Folder, Link, Other };
    std::string path;
    Kind kind = Kind::Other;
    bool operator==(const TreeEntry&) const = default;
};
// Everything below `folder`, links not followed, sorted by path; nothing for a missing folder.
std::vector<TreeEntry> treeOf(const std::filesystem::path& folder);

} // namespace kalvon::fuzz
