#include "common/archive/unziparchive.h"

#include "common/cp1252.h"
#include "common/dialogs.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <condition_variable>
#include <fcntl.h>
#include <fstream>
#include <memory>
#include <mutex>
#include <new>
#include <optional>
#include <string>
#include <string_view>
#include <sys/stat.h>
#include <system_error>
#include <thread>
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

// A member's data as reading it gave it: the pieces each read returned, then whether the read
// that followed failed (or the member could not be opened at all).
struct MemberData {
    std::vector<char> bytes;
    std::vector<size_t> pieces;
    bool openFailed = false;
    bool readFailed = false;
};

constexpr size_t kReadPiece = 64 * 1024;

// Reads a whole member the way the writer reads it, piece by piece, into room for `sizeHint`
// bytes. `keepGoing` is asked after every piece; when it says no, nothing is returned.
template <typename KeepGoing>
std::optional<MemberData> readMember(zip_t* archive, zip_uint64_t index, size_t sizeHint, KeepGoing keepGoing)
{
    MemberData member;
    member.bytes.reserve(sizeHint + kReadPiece);
    std::unique_ptr<zip_file_t, ZipFileCloser> file(zip_fopen_index(archive, index, 0));
    if (!file) {
        member.openFailed = true;
        return member;
    }
    for (;;) {
        const size_t start = member.bytes.size();
        member.bytes.resize(start + kReadPiece);
        const zip_int64_t got = zip_fread(file.get(), member.bytes.data() + start, kReadPiece);
        member.bytes.resize(start + size_t(std::max<zip_int64_t>(got, 0)));
        if (got <= 0) {
            member.readFailed = got < 0;
            return member;
        }
        member.pieces.push_back(size_t(got));
        if (!keepGoing(size_t(got)))
            return std::nullopt;
    }
}

// Decompresses the plain members of an archive on worker threads while the extraction writes
// them out in archive order, so unpacking a theme uses more than one core. A worker reads its
// own handle on an in-memory copy of the archive. The extraction takes each member from here
// in order; what was not read ahead (encrypted members, members past a memory bound, a copy
// that does not match the archive being extracted, members it reaches before any worker does)
// it reads itself, so the files written, the questions asked and the result are those of a
// plain sequential extraction.
class ReadAhead {
public:
    // Archives above this are not copied into memory, and read-ahead data stays below it.
    static constexpr int64_t kMaxBytes = int64_t(96) * 1024 * 1024;

    ReadAhead(const std::filesystem::path& path, zip_t* archive, zip_int64_t count)
    {
        const unsigned threads = std::min(4u, std::thread::hardware_concurrency());
        try {
            if (threads < 2 || count < 2 || !loadCopy(path))
                return;
            m_slots = std::vector<Slot>(size_t(count));
            for (zip_int64_t index = 0; index < count; ++index)
                m_slots[size_t(index)].wanted
                    = plainMember(archive, zip_uint64_t(index), m_slots[size_t(index)]);
            // The largest first: the last member to finish then ends about when the others do.
            for (size_t index = 0; index < m_slots.size(); ++index) {
                if (m_slots[index].wanted)
                    m_order.push_back(index);
            }
            std::stable_sort(m_order.begin(), m_order.end(),
                [&](size_t a, size_t b) { return m_slots[a].sizeHint > m_slots[b].sizeHint; });
            m_workers.reserve(threads);
        } catch (const std::bad_alloc&) {
            m_slots.clear(); // no memory to spare: the writer reads every member itself
            return;
        }
        try {
            for (unsigned i = 0; i < threads; ++i)
                m_workers.emplace_back([this] { work(); });
        } catch (const std::system_error&) {
            // Fewer workers still read every member.
        }
        if (m_workers.empty())
            m_slots.clear();
    }

    ~ReadAhead()
    {
        m_stop = true;
        for (std::thread& worker : m_workers)
            worker.join();
    }

    ReadAhead(const ReadAhead&) = delete;
    ReadAhead& operator=(const ReadAhead&) = delete;

    // The member's data when it was read ahead; waits for its worker when one is on it. A member
    // no worker has started on is left to the caller.
    std::optional<MemberData> take(zip_uint64_t index)
    {
        if (index >= m_slots.size() || !m_slots[index].wanted)
            return std::nullopt;
        Slot& slot = m_slots[index];
        std::unique_lock lock(m_mutex);
        if (!slot.started) {
            slot.started = true;
            slot.state = State::Skipped;
            return std::nullopt;
        }
        m_ready.wait(lock, [&] { return slot.state != State::Pending; });
        if (slot.state != State::Ready)
            return std::nullopt;
        slot.state = State::Taken;
        m_buffered -= int64_t(slot.data->bytes.size());
        return std::move(slot.data);
    }

private:
    enum class State { Pending, Ready, Skipped, Taken };
    struct Slot {
        bool wanted = false;
        std::string name;
        zip_uint64_t compressedSize = 0;
        zip_uint32_t crc = 0;
        size_t sizeHint = 0; // the size the archive gives, when modest
        bool started = false; // by a worker or the caller
        State state = State::Pending;
        std::optional<MemberData> data;
    };

    bool loadCopy(const std::filesystem::path& path)
    {
        std::ifstream file(path, std::ios::binary | std::ios::ate);
        if (!file)
            return false;
        const std::streamoff size = file.tellg();
        if (size <= 0 || size > kMaxBytes)
            return false;
        m_copy.resize(size_t(size));
        file.seekg(0);
        return bool(file.read(m_copy.data(), size));
    }

    // A member the writer reads without asking anything: named, not a folder, not a link,
    // not encrypted. Its name and sizes are kept to check the copy against.
    static bool plainMember(zip_t* archive, zip_uint64_t index, Slot& slot)
    {
        zip_stat_t status;
        zip_stat_init(&status);
        if (zip_stat_index(archive, index, 0, &status) != 0 || !status.name || isFolderName(status.name)
            || isSymbolicLink(archive, index))
            return false;
        const zip_uint64_t needed
            = ZIP_STAT_NAME | ZIP_STAT_COMP_SIZE | ZIP_STAT_CRC | ZIP_STAT_ENCRYPTION_METHOD;
        if ((status.valid & needed) != needed || status.encryption_method != ZIP_EM_NONE)
            return false;
        slot.name = status.name;
        slot.compressedSize = status.comp_size;
        slot.crc = status.crc;
        if ((status.valid & ZIP_STAT_SIZE) && status.size <= zip_uint64_t(kMaxBytes) / 4)
            slot.sizeHint = size_t(status.size);
        return true;
    }

    bool sameMember(zip_t* archive, zip_uint64_t index, const Slot& slot)
    {
        zip_stat_t status;
        zip_stat_init(&status);
        return zip_stat_index(archive, index, 0, &status) == 0 && status.name && slot.name == status.name
            && (status.valid & ZIP_STAT_COMP_SIZE) && status.comp_size == slot.compressedSize
            && (status.valid & ZIP_STAT_CRC) && status.crc == slot.crc;
    }

    void work()
    {
        zip_error_t error;
        zip_error_init(&error);
        zip_source_t* source = zip_source_buffer_create(m_copy.data(), m_copy.size(), 0, &error);
        zip_t* opened = source ? zip_open_from_source(source, ZIP_RDONLY, &error) : nullptr;
        if (source && !opened)
            zip_source_free(source);
        zip_error_fini(&error);
        const std::unique_ptr<zip_t, ZipCloser> archive(opened);
        for (;;) {
            const size_t next = m_next++;
            if (next >= m_order.size())
                return;
            const size_t index = m_order[next];
            Slot& slot = m_slots[index];
            {
                const std::lock_guard lock(m_mutex);
                if (slot.started)
                    continue;
                slot.started = true;
            }
            std::optional<MemberData> data;
            if (archive && !m_stop && sameMember(archive.get(), index, slot))
                data = readAheadMember(archive.get(), index, slot.sizeHint);
            const std::lock_guard lock(m_mutex);
            slot.state = data ? State::Ready : State::Skipped;
            slot.data = std::move(data);
            m_ready.notify_all();
        }
    }

    std::optional<MemberData> readAheadMember(zip_t* archive, zip_uint64_t index, size_t sizeHint)
    {
        int64_t held = 0;
        const auto release = [&] { m_buffered -= held; };
        try {
            std::optional<MemberData> data = readMember(archive, index, sizeHint, [&](size_t got) {
                held += int64_t(got);
                if (m_stop || m_buffered.fetch_add(int64_t(got)) + int64_t(got) > kMaxBytes) {
                    m_stop = true; // past the bound: the writer reads the rest itself
                    m_buffered -= int64_t(got);
                    held -= int64_t(got);
                    return false;
                }
                return true;
            });
            if (!data)
                release();
            return data;
        } catch (const std::bad_alloc&) {
            release();
            m_stop = true;
            return std::nullopt;
        }
    }

    std::vector<char> m_copy;
    std::vector<Slot> m_slots;
    std::vector<size_t> m_order; // the members read ahead, in the order workers take them
    std::atomic<size_t> m_next = 0;
    std::atomic<int64_t> m_buffered = 0;
    std::atomic<bool> m_stop = false;
    std::mutex m_mutex;
    std::condition_variable m_ready;
    std::vector<std::thread> m_workers; // last: joined before the rest goes
};

enum class MemberResult { Written, Failed, LimitReached };

class Extraction {
public:
    Extraction(zip_t* archive, const std::filesystem::path& path, int root, Dialogs& dialogs,
        const UnzipLimits& limits)
        : m_archive(archive)
        , m_path(path)
        , m_root(root)
        , m_dialogs(dialogs)
        , m_limits(limits)
        , m_folders{ limits.maxFolders }
    {
    }

    int run()
    {
        const zip_int64_t count = zip_get_num_entries(m_archive, 0);
        ReadAhead readAhead(m_path, m_archive, std::min<zip_int64_t>(count, m_limits.maxMembers));
        m_readAhead = &readAhead;
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
        if (const std::optional<MemberData> member = m_readAhead->take(index)) {
            if (member->openFailed)
                return MemberResult::Failed;
            size_t piece = 0;
            size_t offset = 0;
            return writeMember(parent.get(), path->back(), [&](const char*& bytes) -> zip_int64_t {
                if (piece == member->pieces.size())
                    return member->readFailed ? -1 : 0;
                bytes = member->bytes.data() + offset;
                offset += member->pieces[piece];
                return zip_int64_t(member->pieces[piece++]);
            });
        }
        std::unique_ptr<zip_file_t, ZipFileCloser> data(openMember(index));
        if (!data)
            return MemberResult::Failed;
        std::vector<char> buffer(kReadPiece);
        return writeMember(parent.get(), path->back(), [&](const char*& bytes) {
            bytes = buffer.data();
            return zip_fread(data.get(), buffer.data(), buffer.size());
        });
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
    // `next(bytes)` gives the next piece of the member: its size, 0 at the end, negative when
    // the member cannot be read further.
    template <typename NextPiece>
    MemberResult writeMember(int parent, const std::string& name, NextPiece next)
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
        for (;;) {
            const char* bytes = nullptr;
            const zip_int64_t got = next(bytes);
            if (got == 0)
                return MemberResult::Written;
            if (got < 0)
                return discard(MemberResult::Failed);
            if (m_written + got > m_limits.maxBytesWritten)
                return discard(MemberResult::LimitReached);
            if (!writeAll(file.get(), bytes, size_t(got)))
                return discard(MemberResult::Failed);
            m_written += got;
        }
    }

    zip_t* m_archive;
    const std::filesystem::path& m_path;
    ReadAhead* m_readAhead = nullptr;
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
        return Extraction(zip.get(), archive, root.get(), dialogs, limits).run();
    } catch (const std::exception&) {
        dialogs.messageBox(
            "Could not load resource file " + utf8ToCp1252(archive.string()), "Error", MessageIcon::Critical);
        return kUnzipCannotOpen;
    }
}

} // namespace kalvon
