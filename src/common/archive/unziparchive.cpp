#include "common/archive/unziparchive.h"

#include "common/cp1252.h"
#include "common/dialogs.h"

#include <cerrno>
#include <fcntl.h>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>
#include <zip.h>

namespace kalvon {

namespace {

// A file descriptor closed when it goes out of scope.
class FileHandle {
public:
    explicit FileHandle(int fd = -1)
        : m_fd(fd)
    {
    }
    ~FileHandle()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    FileHandle(FileHandle&& other) noexcept
        : m_fd(std::exchange(other.m_fd, -1))
    {
    }
    FileHandle& operator=(FileHandle&& other) noexcept
    {
        std::swap(m_fd, other.m_fd);
        return *this;
    }
    bool isOpen() const { return m_fd >= 0; }
    int get() const { return m_fd; }

private:
    int m_fd;
};

struct ZipCloser {
    void operator()(zip_t* archive) const { zip_discard(archive); }
};
struct ZipFileCloser {
    void operator()(zip_file_t* file) const { zip_fclose(file); }
};

// The path of a member below the target, one folder or file name per element. Nothing when the
// member must not be written: an absolute name, a drive letter, or a ".." component ("\" counts
// as a separator like "/"). Empty and "." components are dropped.
std::optional<std::vector<std::string>> memberPath(std::string_view name)
{
    std::string normalised(name);
    for (char& c : normalised) {
        if (c == '\\')
            c = '/';
    }
    if (!normalised.empty() && normalised.front() == '/')
        return std::nullopt;
    const auto isLetter = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); };
    if (normalised.size() >= 2 && isLetter(normalised[0]) && normalised[1] == ':')
        return std::nullopt;
    std::vector<std::string> components;
    size_t start = 0;
    while (start <= normalised.size()) {
        size_t slash = normalised.find('/', start);
        if (slash == std::string::npos)
            slash = normalised.size();
        std::string component = normalised.substr(start, slash - start);
        if (component == "..")
            return std::nullopt;
        if (!component.empty() && component != ".")
            components.push_back(std::move(component));
        start = slash + 1;
    }
    return components;
}

bool isFolderName(std::string_view name)
{
    return !name.empty() && (name.back() == '/' || name.back() == '\\');
}

bool isSymbolicLink(zip_t* archive, zip_uint64_t index)
{
    zip_uint8_t system = 0;
    zip_uint32_t attributes = 0;
    if (zip_file_get_external_attributes(archive, index, 0, &system, &attributes) != 0)
        return false;
    return system == ZIP_OPSYS_UNIX && ((attributes >> 16) & S_IFMT) == S_IFLNK;
}

// The folders an extraction may still make; `exhausted` once one more was needed.
struct FolderBudget {
    int64_t left = 0;
    bool exhausted = false;
};

// Opens the folder `name` inside `parent`, creating it when missing and the budget allows. A
// symbolic link in its place is removed, never followed; a file in its place fails.
FileHandle openFolder(int parent, const std::string& name, FolderBudget& budget)
{
    for (int attempt = 0; attempt < 3; ++attempt) {
        FileHandle folder(::openat(parent, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
        if (folder.isOpen())
            return folder;
        if (errno == ENOENT) {
            if (budget.left <= 0) {
                budget.exhausted = true;
                return FileHandle();
            }
            if (::mkdirat(parent, name.c_str(), 0755) == 0)
                --budget.left;
            else if (errno != EEXIST)
                return FileHandle();
            continue;
        }
        struct stat status { };
        if ((errno == ELOOP || errno == ENOTDIR)
            && ::fstatat(parent, name.c_str(), &status, AT_SYMLINK_NOFOLLOW) == 0
            && S_ISLNK(status.st_mode)) {
            ::unlinkat(parent, name.c_str(), 0);
            continue;
        }
        return FileHandle();
    }
    return FileHandle();
}

// Opens the folder that holds the first `depth` components of `path`, creating the folders on
// the way.
FileHandle openParent(int root, const std::vector<std::string>& path, size_t depth, FolderBudget& budget)
{
    FileHandle folder(::dup(root));
    for (size_t i = 0; i < depth && folder.isOpen(); ++i)
        folder = openFolder(folder.get(), path[i], budget);
    return folder;
}

bool writeAll(int fd, const char* data, size_t size)
{
    while (size > 0) {
        const ssize_t done = ::write(fd, data, size);
        if (done < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += done;
        size -= size_t(done);
    }
    return true;
}

enum class MemberResult { Written, Failed, LimitReached };

class Extraction {
public:
    Extraction(zip_t* archive, int root, Dialogs& dialogs, const UnzipLimits& limits)
        : m_archive(archive)
        , m_root(root)
        , m_dialogs(dialogs)
        , m_limits(limits)
        , m_folders{ limits.maxFolders }
    {
    }

    int run()
    {
        const zip_int64_t count = zip_get_num_entries(m_archive, 0);
        int result = kUnzipOk;
        for (zip_int64_t index = 0; index < count; ++index) {
            if (index >= m_limits.maxMembers)
                return kUnzipLimitReached;
            switch (extractMember(zip_uint64_t(index))) {
            case MemberResult::Written: break;
            case MemberResult::Failed: result = kUnzipMemberFailed; break;
            case MemberResult::LimitReached: return kUnzipLimitReached;
            }
        }
        return result;
    }

private:
    MemberResult extractMember(zip_uint64_t index)
    {
        const char* name = zip_get_name(m_archive, index, 0);
        if (!name || isSymbolicLink(m_archive, index))
            return MemberResult::Failed;
        const std::optional<std::vector<std::string>> path = memberPath(name);
        if (!path || path->size() > m_limits.maxDepth)
            return MemberResult::Failed;
        if (path->empty())
            return MemberResult::Written; // "./" and the like: nothing to make
        const size_t folders = isFolderName(name) ? path->size() : path->size() - 1;
        const FileHandle parent = openParent(m_root, *path, folders, m_folders);
        if (m_folders.exhausted)
            return MemberResult::LimitReached;
        if (!parent.isOpen())
            return MemberResult::Failed;
        if (isFolderName(name))
            return MemberResult::Written;
        std::unique_ptr<zip_file_t, ZipFileCloser> data(openMember(index));
        if (!data)
            return MemberResult::Failed;
        return writeMember(parent.get(), path->back(), data.get());
    }

    zip_file_t* openMember(zip_uint64_t index)
    {
        zip_stat_t status;
        zip_stat_init(&status);
        const bool encrypted = zip_stat_index(m_archive, index, 0, &status) == 0
            && (status.valid & ZIP_STAT_ENCRYPTION_METHOD) && status.encryption_method != ZIP_EM_NONE;
        if (!encrypted)
            return zip_fopen_index(m_archive, index, 0);
        const std::optional<std::string> password = askPassword();
        if (!password)
            return nullptr;
        return zip_fopen_index_encrypted(m_archive, index, 0, password->c_str());
    }

    // The password of this extraction: asked once; an empty or cancelled answer refuses every
    // later request without asking.
    std::optional<std::string> askPassword()
    {
        if (!m_passwordAsked) {
            m_passwordAsked = true;
            std::optional<Bytes> answer = m_dialogs.inputBox("Please Enter The Password!");
            if (answer && !answer->empty())
                m_password = std::move(*answer);
        }
        return m_password;
    }

    // Writes the member as a new file in place of whatever had the name (a link or an old
    // file is removed, never written through). A member that fails leaves no file behind.
    MemberResult writeMember(int parent, const std::string& name, zip_file_t* data)
    {
        ::unlinkat(parent, name.c_str(), 0);
        const FileHandle file(
            ::openat(parent, name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644));
        if (!file.isOpen())
            return MemberResult::Failed;
        auto discard = [&](MemberResult result) {
            ::unlinkat(parent, name.c_str(), 0);
            return result;
        };
        std::vector<char> buffer(64 * 1024);
        for (;;) {
            const zip_int64_t got = zip_fread(data, buffer.data(), buffer.size());
            if (got == 0)
                return MemberResult::Written;
            if (got < 0)
                return discard(MemberResult::Failed);
            if (m_written + got > m_limits.maxBytesWritten)
                return discard(MemberResult::LimitReached);
            if (!writeAll(file.get(), buffer.data(), size_t(got)))
                return discard(MemberResult::Failed);
            m_written += got;
        }
    }

    zip_t* m_archive;
    int m_root;
    Dialogs& m_dialogs;
    const UnzipLimits& m_limits;
    FolderBudget m_folders;
    bool m_passwordAsked = false;
    std::optional<std::string> m_password;
    int64_t m_written = 0;
};

} // namespace

int UnzipArchive(const std::filesystem::path& archive, const std::filesystem::path& target, Dialogs& dialogs,
    const UnzipLimits& limits)
{
    try {
        int error = 0;
        std::unique_ptr<zip_t, ZipCloser> zip(zip_open(archive.c_str(), ZIP_RDONLY, &error));
        if (!zip)
            return kUnzipCannotOpen;
        std::error_code ignored;
        std::filesystem::create_directories(target, ignored);
        const FileHandle root(::open(target.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        if (!root.isOpen())
            return kUnzipMemberFailed;
        return Extraction(zip.get(), root.get(), dialogs, limits).run();
    } catch (const std::exception&) {
        dialogs.messageBox(
            "Could not load resource file " + utf8ToCp1252(archive.string()), "Error", MessageIcon::Critical);
        return kUnzipCannotOpen;
    }
}

} // namespace kalvon
