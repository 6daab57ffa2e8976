#include "harness/scratch.h"

#include "harness/fuzzcheck.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <unistd.h>

namespace kalvon::fuzz {

namespace fs = std::filesystem;

namespace {

// $TMPDIR when set; else memory (/dev/shm) where there is one, since every input writes and
// removes files and a disk that discards freed blocks makes that slow; else /tmp.
fs::path baseFolder()
{
    if (const char* tmp = std::getenv("TMPDIR"); tmp && *tmp)
        return tmp;
    if (::access("/dev/shm", W_OK | X_OK) == 0)
        return "/dev/shm";
    return "/tmp";
}

struct Root {
    Root()
    {
        std::string pattern = (baseFolder() / "kalvon-fuzz-XXXXXX").string();
        FUZZ_CHECK_MSG(::mkdtemp(pattern.data()) != nullptr, "cannot make a scratch folder");
        path = pattern;
    }
    ~Root()
    {
        std::error_code ignored;
        fs::remove_all(path, ignored);
    }
    fs::path path;
};

} // namespace

const fs::path& scratchRoot()
{
    static const Root root;
    return root.path;
}

void resetFolder(const fs::path& folder)
{
    std::error_code error;
    fs::remove_all(folder, error);
    FUZZ_CHECK_MSG(!error, "cannot empty " + folder.string() + ": " + error.message());
    fs::create_directories(folder, error);
    FUZZ_CHECK_MSG(!error, "cannot make " + folder.string() + ": " + error.message());
}

void writeBytes(const fs::path& file, BytesView bytes)
{
    // A new file rather than a truncated one: ext4 flushes a file rewritten after truncation
    // when it is closed, which would make each input wait for the disk.
    std::error_code ignored;
    fs::remove(file, ignored);
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), std::streamsize(bytes.size()));
    FUZZ_CHECK_MSG(bool(out), "cannot write " + file.string());
}

Bytes readBytes(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

std::vector<TreeEntry> treeOf(const fs::path& folder)
{
    std::vector<TreeEntry> entries;
    std::error_code error;
    if (!fs::exists(fs::symlink_status(folder, error)))
        return entries;
    for (fs::recursive_directory_iterator it(folder, fs::directory_options::none, error), end;
         !error && it != end; it.increment(error)) {
        const fs::file_status status = it->symlink_status();
        TreeEntry entry{ fs::relative(it->path(), folder).generic_string(), TreeEntry::Kind::Other };
        if (fs::is_symlink(status))
            entry.kind = TreeEntry::Kind::Link;
        else if (fs::is_regular_file(status))
            entry.kind = TreeEntry::Kind::File;
        else if (fs::is_directory(status))
            entry.kind = TreeEntry::Kind::Folder;
        entries.push_back(std::move(entry));
    }
    FUZZ_CHECK_MSG(!error, "cannot list " + folder.string() + ": " + error.message());
    std::sort(entries.begin(), entries.end(),
        [](const TreeEntry& a, const TreeEntry& b) { return a.path < b.path; });
    return entries;
}

} // namespace kalvon::fuzz
