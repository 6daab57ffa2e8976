#include "common/atomicfile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace kalvon {

namespace {

AtomicWriteFault& faultHook()
{
    static AtomicWriteFault hook;
    return hook;
}

// False (with errno set as a full disk sets it) when the test seam fails this step.
bool stepAllowed(std::string_view step)
{
    if (faultHook() && !faultHook()(step)) {
        errno = ENOSPC;
        return false;
    }
    return true;
}

// A link is written through: the file it names is replaced and the link stays a link.
fs::path followLink(const fs::path& file)
{
    std::error_code error;
    if (!fs::is_symlink(fs::symlink_status(file, error)))
        return file;
    fs::path target = fs::canonical(file, error);
    return error ? file : target;
}

// A new file ".<name>.XXXXXX" beside `file`, created with the usual 0666 less the umask.
int createTempBeside(const fs::path& file, std::string& tempPath)
{
    static constexpr char kAlphabet[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    std::random_device random;
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string name = "." + file.filename().string() + ".";
        for (int i = 0; i < 6; ++i)
            name.push_back(kAlphabet[random() % (sizeof kAlphabet - 1)]);
        const std::string candidate = (file.parent_path() / name).string();
        const int fd = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            tempPath = candidate;
            return fd;
        }
        if (errno != EEXIST)
            return -1;
    }
    return -1;
}

// The replacement keeps the old file's owner and permission bits, so that a program run by
// root does not take a user's settings file away from them. Best effort: failing to copy them
// loses no data.
void copyOwnerAndMode(const fs::path& oldFile, int fd)
{
    struct stat old { };
    if (::stat(oldFile.c_str(), &old) != 0 || !S_ISREG(old.st_mode))
        return;
    struct stat fresh { };
    if (::fstat(fd, &fresh) == 0 && (fresh.st_uid != old.st_uid || fresh.st_gid != old.st_gid)) {
        if (::fchown(fd, old.st_uid, old.st_gid) != 0) {
            // Only root may give a file away; others keep the file as their own.
        }
    }
    // After the owner: changing the owner may clear set-id bits.
    if (::fchmod(fd, old.st_mode & 07777) != 0) {
        // The file keeps the umask's bits.
    }
}

bool writeAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        bytes.remove_prefix(static_cast<size_t>(written));
    }
    return true;
}

// Makes the rename itself durable. The new file is in place whatever this says, so a failure
// here is not reported: the old file is gone and "failed" would be a lie.
void syncFolder(const fs::path& folder)
{
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

} // namespace

AtomicWriteResult writeFileAtomically(const fs::path& file, std::string_view bytes)
{
    const fs::path target = followLink(file);
    std::string tempPath;
    int fd = -1;
    const auto fail = [&] {
        const int error = errno;
        if (fd >= 0)
            ::close(fd);
        if (!tempPath.empty())
            ::unlink(tempPath.c_str());
        return AtomicWriteResult{ false, std::strerror(error) };
    };

    if (!stepAllowed("open") || (fd = createTempBeside(target, tempPath)) < 0)
        return fail();
    copyOwnerAndMode(target, fd);
    if (!stepAllowed("write") || !writeAll(fd, bytes))
        return fail();
    if (!stepAllowed("sync") || ::fsync(fd) != 0)
        return fail();
    const int written = fd;
    fd = -1;
    // close() can report a delayed write error (network file systems do).
    if (::close(written) != 0)
        return fail();
    if (!stepAllowed("rename") || ::rename(tempPath.c_str(), target.c_str()) != 0)
        return fail();
    syncFolder(target.has_parent_path() ? target.parent_path() : fs::path("."));
    return { true, {} };
}

void setAtomicWriteFaultForTesting(AtomicWriteFault fault)
{
    faultHook() = std::move(fault);
}

} // namespace kalvon
