#include "harness/scratch.h"

#include "harness/fuzzcheck.h"

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
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

// A file descriptor closed when it goes out of scope.
class Descriptor {
public:
    explicit Descriptor(int fd)
        : m_fd(fd)
    {
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    int get() const { return m_fd; }
    bool isOpen() const { return m_fd >= 0; }

private:
    int m_fd;
};

std::string lastError()
{
    return std::strerror(errno);
}

// The folder's entries (without "." and ".."), each with its kind. The entries are read with
// getdents64 into a buffer on the stack: opendir would take a 32 KiB buffer from the heap for
// every folder, which under AddressSanitizer costs more than the rest of a small input.
template <class Visit> void forEachEntry(int folder, const std::string& where, Visit visit)
{
    struct Record {
        uint64_t inode;
        int64_t offset;
        unsigned short length;
        unsigned char type;
        char name[1];
    };
    alignas(8) char buffer[4096];
    for (;;) {
        const long got = ::syscall(SYS_getdents64, folder, buffer, sizeof buffer);
        FUZZ_CHECK_MSG(got >= 0, "cannot list " + where + ": " + lastError());
        if (got == 0)
            return;
        for (long at = 0; at < got;) {
            const auto* record = reinterpret_cast<const Record*>(buffer + at);
            at += record->length;
            const char* name = buffer + (at - record->length) + offsetof(Record, name);
            if (std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0)
                continue;
            unsigned char type = record->type;
            if (type == DT_UNKNOWN) {
                struct stat status { };
                FUZZ_CHECK_MSG(::fstatat(folder, name, &status, AT_SYMLINK_NOFOLLOW) == 0,
                    "cannot examine " + where + "/" + name + ": " + lastError());
                type = S_ISLNK(status.st_mode) ? DT_LNK
                    : S_ISDIR(status.st_mode)  ? DT_DIR
                    : S_ISREG(status.st_mode)  ? DT_REG
                                               : DT_UNKNOWN;
            }
            visit(name, type);
        }
    }
}

Descriptor openFolder(int parent, const char* name)
{
    return Descriptor(::openat(parent, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
}

void listTree(
    int folder, const std::string& prefix, const std::string& where, std::vector<TreeEntry>& entries)
{
    forEachEntry(folder, where, [&](const char* name, unsigned char type) {
        TreeEntry entry{ prefix + name, TreeEntry::Kind::Other };
        entry.kind = type == DT_LNK ? TreeEntry::Kind::Link
            : type == DT_DIR        ? TreeEntry::Kind::Folder
            : type == DT_REG        ? TreeEntry::Kind::File
                                    : TreeEntry::Kind::Other;
        entries.push_back(entry);
        if (type == DT_DIR) {
            const Descriptor inner = openFolder(folder, name);
            FUZZ_CHECK_MSG(inner.isOpen(), "cannot open " + where + "/" + name + ": " + lastError());
            listTree(inner.get(), entry.path + "/", where + "/" + name, entries);
        }
    });
}

// Removes everything inside the open folder.
void emptyFolder(int folder, const std::string& where)
{
    // Names are gathered first: removing while reading a folder may skip entries.
    std::vector<std::pair<std::string, bool>> names;
    forEachEntry(folder, where,
        [&](const char* name, unsigned char type) { names.emplace_back(name, type == DT_DIR); });
    for (const auto& [name, isFolder] : names) {
        if (isFolder) {
            const Descriptor inner = openFolder(folder, name.c_str());
            FUZZ_CHECK_MSG(inner.isOpen(), "cannot open " + where + "/" + name + ": " + lastError());
            emptyFolder(inner.get(), where + "/" + name);
        }
        FUZZ_CHECK_MSG(::unlinkat(folder, name.c_str(), isFolder ? AT_REMOVEDIR : 0) == 0,
            "cannot remove " + where + "/" + name + ": " + lastError());
    }
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
    // Emptied in place when it is a folder already (the usual case, each input); made
    // otherwise.
    const Descriptor handle(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    if (handle.isOpen()) {
        emptyFolder(handle.get(), folder.string());
        return;
    }
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
    ::unlink(file.c_str());
    const Descriptor out(::open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600));
    FUZZ_CHECK_MSG(out.isOpen(), "cannot write " + file.string() + ": " + lastError());
    for (size_t done = 0; done < bytes.size();) {
        const ssize_t wrote = ::write(out.get(), bytes.data() + done, bytes.size() - done);
        FUZZ_CHECK_MSG(wrote > 0 || (wrote < 0 && errno == EINTR), "cannot write " + file.string());
        done += wrote > 0 ? size_t(wrote) : 0;
    }
}

Bytes readBytes(const fs::path& file)
{
    Bytes bytes;
    const Descriptor in(::open(file.c_str(), O_RDONLY | O_CLOEXEC));
    if (!in.isOpen())
        return bytes;
    char buffer[4096];
    for (;;) {
        const ssize_t got = ::read(in.get(), buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return bytes;
        bytes.append(buffer, size_t(got));
    }
}

std::vector<TreeEntry> treeOf(const fs::path& folder)
{
    std::vector<TreeEntry> entries;
    const Descriptor handle(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    if (!handle.isOpen()) {
        FUZZ_CHECK_MSG(errno == ENOENT || errno == ENOTDIR || errno == ELOOP,
            "cannot open " + folder.string() + ": " + lastError());
        return entries;
    }
    listTree(handle.get(), "", folder.string(), entries);
    std::sort(entries.begin(), entries.end(),
        [](const TreeEntry& a, const TreeEntry& b) { return a.path < b.path; });
    return entries;
}

} // namespace kalvon::fuzz
