// The resource archive extractor (UnzipArchive) on any bytes as a ZIP file: nothing is written
// outside the target folder and nothing there is a link; the limits on members, folders, depth
// and bytes hold; every file and folder made stands for a member's name; and a complete
// extraction holds every member with its content (the last of several with one name).

#include "common/archive/unziparchive.h"
#include "harness/fuzzcheck.h"
#include "harness/fuzzinput.h"
#include "harness/quietdialogs.h"
#include "harness/scratch.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <sys/stat.h>
#include <zip.h>

using namespace kalvon;
namespace fs = std::filesystem;

namespace {

constexpr UnzipLimits kLimits{ 64, 256 * 1024, 32, 8 };

struct ZipCloser {
    void operator()(zip_t* archive) const { zip_discard(archive); }
};

// A member's path below the target as the extractor must write it: "\" a separator, empty and
// "." parts dropped; nothing for an absolute, drive-letter or ".." name.
std::optional<std::string> safePath(std::string name)
{
    for (char& c : name) {
        if (c == '\\')
            c = '/';
    }
    if (!name.empty() && name.front() == '/')
        return std::nullopt;
    if (name.size() >= 2 && name[1] == ':' && std::isalpha(static_cast<unsigned char>(name[0])))
        return std::nullopt;
    std::string path;
    size_t start = 0;
    while (start <= name.size()) {
        size_t slash = name.find('/', start);
        if (slash == std::string::npos)
            slash = name.size();
        const std::string part = name.substr(start, slash - start);
        if (part == "..")
            return std::nullopt;
        if (!part.empty() && part != ".")
            path += (path.empty() ? "" : "/") + part;
        start = slash + 1;
    }
    return path;
}

std::optional<std::string> memberContent(zip_t* archive, zip_uint64_t index)
{
    zip_file_t* file = zip_fopen_index(archive, index, 0);
    if (!file)
        return std::nullopt;
    std::string content;
    char buffer[4096];
    zip_int64_t got;
    while ((got = zip_fread(file, buffer, sizeof buffer)) > 0)
        content.append(buffer, size_t(got));
    zip_fclose(file);
    if (got < 0)
        return std::nullopt;
    return content;
}

bool isLink(zip_t* archive, zip_uint64_t index)
{
    zip_uint8_t system = 0;
    zip_uint32_t attributes = 0;
    return zip_file_get_external_attributes(archive, index, 0, &system, &attributes) == 0
        && system == ZIP_OPSYS_UNIX && ((attributes >> 16) & S_IFMT) == S_IFLNK;
}

size_t depthOf(const std::string& path)
{
    return size_t(std::count(path.begin(), path.end(), '/')) + 1;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const fs::path root = fuzz::scratchRoot() / "archive";
    const fs::path archiveFile = root / "archive.zip";
    const fs::path target = root / "a" / "b" / "target";
    fuzz::resetFolder(root);
    fuzz::writeBytes(archiveFile, fuzz::asBytes(data, size));

    fuzz::QuietDialogs dialogs;
    const int result = UnzipArchive(archiveFile, target, dialogs, kLimits);
    FUZZ_CHECK(result == kUnzipOk || result == kUnzipCannotOpen || result == kUnzipMemberFailed
        || result == kUnzipLimitReached);

    // Nothing outside the target folder, nothing that is a link.
    for (const fuzz::TreeEntry& entry : fuzz::treeOf(fuzz::scratchRoot())) {
        const bool known = entry.path == "archive" || entry.path == "archive/archive.zip"
            || entry.path == "archive/a" || entry.path == "archive/a/b" || entry.path == "archive/a/b/target"
            || entry.path.rfind("archive/a/b/target/", 0) == 0;
        FUZZ_CHECK_MSG(known, "written outside the target: " + entry.path);
        FUZZ_CHECK_MSG(entry.kind != fuzz::TreeEntry::Kind::Link, "a link: " + entry.path);
    }

    // What the members' names allow.
    std::unique_ptr<zip_t, ZipCloser> archive(zip_open(archiveFile.c_str(), ZIP_RDONLY, nullptr));
    std::set<std::string> memberPaths;
    std::map<std::string, zip_uint64_t> lastFileMember;
    const zip_int64_t count = archive ? zip_get_num_entries(archive.get(), 0) : 0;
    for (zip_int64_t index = 0; index < count; ++index) {
        const char* name = zip_get_name(archive.get(), zip_uint64_t(index), 0);
        if (!name || isLink(archive.get(), zip_uint64_t(index)))
            continue;
        const std::optional<std::string> path = safePath(name);
        if (!path || path->empty())
            continue;
        memberPaths.insert(*path);
        const char last = std::string_view(name).back();
        if (last != '/' && last != '\\')
            lastFileMember[*path] = zip_uint64_t(index);
    }
    if (!archive)
        FUZZ_CHECK(result == kUnzipCannotOpen);

    int64_t bytes = 0;
    int64_t folders = 0;
    for (const fuzz::TreeEntry& entry : fuzz::treeOf(target)) {
        FUZZ_CHECK_MSG(depthOf(entry.path) <= kLimits.maxDepth, entry.path);
        if (entry.kind == fuzz::TreeEntry::Kind::Folder) {
            ++folders;
            const std::string inside = entry.path + "/";
            const auto below = memberPaths.lower_bound(inside);
            const bool named = memberPaths.count(entry.path) == 1
                || (below != memberPaths.end() && below->rfind(inside, 0) == 0);
            FUZZ_CHECK_MSG(named, "a folder no member names: " + entry.path);
        } else {
            FUZZ_CHECK_MSG(entry.kind == fuzz::TreeEntry::Kind::File, entry.path);
            FUZZ_CHECK_MSG(lastFileMember.count(entry.path) == 1, "a file no member names: " + entry.path);
            bytes += int64_t(fs::file_size(target / entry.path));
        }
    }
    FUZZ_CHECK(bytes <= kLimits.maxBytesWritten);
    FUZZ_CHECK(folders <= kLimits.maxFolders);

    if (result == kUnzipOk) {
        FUZZ_CHECK(count <= kLimits.maxMembers);
        for (const auto& [path, index] : lastFileMember) {
            const std::optional<std::string> content = memberContent(archive.get(), index);
            FUZZ_CHECK_MSG(content.has_value(), "an unreadable member counted as extracted: " + path);
            FUZZ_CHECK_MSG(fuzz::readBytes(target / path) == *content, "content of " + path);
        }
    }
    return 0;
}
