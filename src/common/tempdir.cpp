#include "common/tempdir.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace kalvon {

namespace {

// "a/b/" names the same folder as "a/b", but a trailing "/" makes the system follow a link.
fs::path withoutTrailingSlash(fs::path folder)
{
    while (!folder.has_filename() && folder.has_relative_path())
        folder = folder.parent_path();
    return folder;
}

fs::path asFolderPath(const fs::path& folder)
{
    return withoutTrailingSlash(folder) / "";
}

} // namespace

std::optional<fs::path> ensurePrivateFolder(const fs::path& folder)
{
    const fs::path path = withoutTrailingSlash(folder);
    if (::mkdir(path.c_str(), 0700) != 0 && errno != EEXIST)
        return std::nullopt;
    // Checked through a handle of the folder itself, so it cannot be swapped for a link or
    // another user's folder between the check and the chmod.
    const int fd = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    struct stat info { };
    const bool ours = ::fstat(fd, &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == ::geteuid();
    const bool privateMode = ours && ((info.st_mode & 07777) == 0700 || ::fchmod(fd, 0700) == 0);
    ::close(fd);
    if (!privateMode)
        return std::nullopt;
    return folder;
}

TempDirFinder::TempDirFinder(fs::path sharedTmp)
    : m_sharedTmp(std::move(sharedTmp))
{
}

fs::path TempDirFinder::find(const char* runtimeDir)
{
    if (runtimeDir && runtimeDir[0] == '/') {
        if (auto folder = ensurePrivateFolder(fs::path(runtimeDir) / "kalvon"))
            return asFolderPath(*folder);
    }
    const std::string user = "kalvon-" + std::to_string(::geteuid());
    if (auto folder = ensurePrivateFolder(m_sharedTmp / user))
        return asFolderPath(*folder);
    if (!m_fresh.empty() && ensurePrivateFolder(m_fresh))
        return asFolderPath(m_fresh);
    std::string pattern = (m_sharedTmp / (user + "-XXXXXX")).string();
    if (::mkdtemp(pattern.data())) {
        m_fresh = pattern;
        return asFolderPath(m_fresh);
    }
    // Nowhere to make a private folder. A folder below /dev/null can never exist, so every
    // file made in it fails like one in a missing folder, and nothing ever lands in a folder
    // someone else controls.
    return "/dev/null/kalvon/";
}

fs::path GetTempDir()
{
    // The one finder of the process, so that a fresh folder made after a refusal stays the
    // temporary folder for the rest of the run (see TempDirFinder).
    static TempDirFinder finder;
    return finder.find(std::getenv("XDG_RUNTIME_DIR"));
}

} // namespace kalvon
