#include "common/paths.h"

#include "common/cp1252.h"

#include <algorithm>
#include <cstdlib>
#include <fcntl.h>
#include <pwd.h>
#include <string>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace kalvon::paths {

fs::path programDir()
{
    std::error_code error;
    const fs::path exe = fs::read_symlink("/proc/self/exe", error);
    if (error)
        return fs::current_path(error);
    return exe.parent_path();
}

Bytes toSlashes(BytesView stored)
{
    Bytes out(stored);
    std::replace(out.begin(), out.end(), '\\', '/');
    return out;
}

bool hasDriveLetter(BytesView stored)
{
    if (stored.size() < 2 || stored[1] != ':')
        return false;
    const char letter = stored[0];
    return (letter >= 'A' && letter <= 'Z') || (letter >= 'a' && letter <= 'z');
}

std::optional<fs::path> resolve(BytesView stored, const fs::path& baseDir)
{
    // A NUL would cut the name short at the system call and name another file.
    if (stored.empty() || hasDriveLetter(stored) || stored.find('\0') != BytesView::npos)
        return std::nullopt;
    const std::string name = cp1252ToUtf8(toSlashes(stored));
    if (stored.front() == '/')
        return fs::path(name);
    // "\data\x.bmp" meant the root of the program's drive: here, the base folder.
    const size_t start = name.find_first_not_of('/');
    return baseDir / (start == std::string::npos ? std::string() : name.substr(start));
}

namespace {

// Names on disk are UTF-8; they compare case-blind as the Windows-1252 text they stand for.
// A name with characters outside the code page would turn into "?"s and match any other such
// name of its length, so it only ever matches exactly.
bool sameNameNoCase(const std::string& onDisk, const std::string& wanted)
{
    const Bytes a = utf8ToCp1252(onDisk);
    const Bytes b = utf8ToCp1252(wanted);
    return cp1252ToUtf8(a) == onDisk && cp1252ToUtf8(b) == wanted && equalsNoCase(a, b);
}

using Parts = std::vector<std::string>;

// The first existing path below `dir` that spells `parts` case-blind: the exact spelling first,
// then the other spellings in name order (so the answer does not depend on directory order).
// Backtracks, so a folder spelled exactly that lacks the rest does not hide another that has it.
std::optional<fs::path> findBelow(const fs::path& dir, Parts::const_iterator part, Parts::const_iterator end)
{
    if (part == end)
        return dir;
    std::error_code error;
    const fs::path exact = dir / *part;
    if (fs::exists(fs::symlink_status(exact, error))) {
        if (auto found = findBelow(exact, part + 1, end))
            return found;
    }
    std::vector<std::string> spellings;
    for (fs::directory_iterator it(dir.empty() ? fs::path(".") : dir, error), last; !error && it != last;
         it.increment(error)) {
        std::string name = it->path().filename().string();
        if (name != *part && sameNameNoCase(name, *part))
            spellings.push_back(std::move(name));
    }
    std::sort(spellings.begin(), spellings.end());
    for (const std::string& name : spellings) {
        if (auto found = findBelow(dir / name, part + 1, end))
            return found;
    }
    return std::nullopt;
}

} // namespace

fs::path findCaseInsensitive(const fs::path& path)
{
    std::error_code error;
    if (path.empty() || fs::exists(path, error))
        return path;
    Parts parts;
    for (const fs::path& part : path.relative_path())
        parts.push_back(part.string());
    return findBelow(path.root_path(), parts.begin(), parts.end()).value_or(path);
}

namespace {

// access() alone is not enough: it says yes to root whatever the permission bits, and to a
// file that is not a folder. Creating (and removing) a file settles it.
bool canCreateFilesIn(const fs::path& folder)
{
    if (::access(folder.c_str(), W_OK) != 0)
        return false;
    std::string probe = (folder / ".kalvon-probe-XXXXXX").string();
    const int fd = ::mkostemp(probe.data(), O_CLOEXEC);
    if (fd < 0)
        return false;
    ::close(fd);
    ::unlink(probe.c_str());
    return true;
}

std::optional<fs::path> configHome()
{
    // Relative values are to be ignored, as the XDG rules say.
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && xdg[0] == '/')
        return fs::path(xdg);
    if (const char* home = std::getenv("HOME"); home && home[0] == '/')
        return fs::path(home) / ".config";
    if (const passwd* user = ::getpwuid(::geteuid()); user && user->pw_dir && user->pw_dir[0] == '/')
        return fs::path(user->pw_dir) / ".config";
    return std::nullopt;
}

} // namespace

fs::path settingsDir(const fs::path& programFolder)
{
    if (canCreateFilesIn(programFolder))
        return programFolder;
    const auto home = configHome();
    // Without any home the program folder stays: writing there fails with the system's message.
    if (!home)
        return programFolder;
    const fs::path folder = *home / "kalvon";
    std::error_code error;
    fs::create_directories(folder, error);
    return folder;
}

} // namespace kalvon::paths
