#include "platform/picturefile.h"

#include "platform/bmpfile.h"

#include <QImageReader>
#include <QString>
#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <string>
#include <system_error>

namespace kalvon {

namespace {

// The header's size; a reader that cannot tell gives -1 x -1. A top-down BMP gives its height
// as a negative number, and is decoded at that height all the same.
bool tooLarge(QSize size)
{
    return std::abs(int64_t(size.width())) > kMaxPictureSide
        || std::abs(int64_t(size.height())) > kMaxPictureSide;
}

// The most memory a picture of the largest size takes (eight bytes a pixel, for 16-bit
// channels), so that no header can make the reader allocate more.
constexpr int kMaxPictureMegabytes = int(int64_t(kMaxPictureSide) * kMaxPictureSide * 8 / (1024 * 1024));

// The largest plain BMP of the largest size, with room for its headers.
constexpr uintmax_t kMaxPlainBmpBytes = uintmax_t(kMaxPictureSide) * (kMaxPictureSide * 3 + 3) + 4096;

// A plain BMP read whole and decoded without the general reader: most theme pictures are.
std::optional<Surface> loadPlainBmp(const std::filesystem::path& file)
{
    std::error_code error;
    const uintmax_t size = std::filesystem::file_size(file, error);
    if (error || size < 2 || size > kMaxPlainBmpBytes)
        return std::nullopt;
    std::ifstream stream(file, std::ios::binary);
    char magic[2] = {};
    if (!stream.read(magic, 2) || magic[0] != 'B' || magic[1] != 'M')
        return std::nullopt;
    std::string bytes(size_t(size), '\0');
    bytes[0] = 'B';
    bytes[1] = 'M';
    if (!stream.read(bytes.data() + 2, std::streamsize(size - 2)))
        return std::nullopt;
    return decodePlainBmp(bytes, kMaxPictureSide);
}

} // namespace

bool pictureFileTooLarge(const std::filesystem::path& file)
{
    QImageReader reader(QString::fromStdString(file.string()));
    reader.setDecideFormatFromContent(true);
    return tooLarge(reader.size());
}

std::optional<Surface> loadPictureFile(const std::filesystem::path& file)
{
    if (std::optional<Surface> plain = loadPlainBmp(file))
        return plain;
    QImageReader reader(QString::fromStdString(file.string()));
    reader.setDecideFormatFromContent(true);
    if (tooLarge(reader.size()))
        return std::nullopt;
    // The header's size is not always the decoded one: a GIF gives its first image's size but
    // is decoded at the size of its logical screen, which may be far larger.
    reader.setAllocationLimit(kMaxPictureMegabytes);
    const QImage image = reader.read();
    if (image.isNull() || tooLarge(image.size()))
        return std::nullopt;
    return Surface::fromImage(image);
}

bool PictureBuffer::load(const std::filesystem::path& file)
{
    if (file.empty()) {
        m_picture = Surface();
        return true;
    }
    return loadDecoded(loadPictureFile(file));
}

bool PictureBuffer::loadDecoded(std::optional<Surface> picture)
{
    if (!picture)
        return false;
    m_picture = std::move(*picture);
    return true;
}

namespace {

// Decoded pictures waiting to be taken, beyond the one being taken: bounds the memory a theme of
// many large frames holds at once.
constexpr size_t kPicturesAhead = 6;

} // namespace

PictureReadAhead::PictureReadAhead(std::vector<std::filesystem::path> files)
    : m_files(std::move(files))
    , m_decoded(m_files.size())
{
    m_results.reserve(m_files.size());
    for (auto& promise : m_decoded)
        m_results.push_back(promise.get_future());
    const size_t threads = std::min<size_t>({ 4, std::thread::hardware_concurrency(), m_files.size() });
    try {
        for (size_t i = 0; i < threads && threads > 1; ++i)
            m_workers.emplace_back([this] { work(); });
    } catch (const std::system_error&) {
        // Fewer workers still decode every file.
    }
    if (m_workers.empty()) {
        m_files.clear(); // every file is then decoded when it is asked for
        m_results.clear();
    }
}

PictureReadAhead::~PictureReadAhead()
{
    {
        const std::lock_guard lock(m_mutex);
        m_stop = true;
    }
    m_changed.notify_all();
    for (std::thread& worker : m_workers)
        worker.join();
}

void PictureReadAhead::work()
{
    for (;;) {
        size_t index = 0;
        {
            std::unique_lock lock(m_mutex);
            m_changed.wait(lock,
                [&] { return m_stop || m_next >= m_files.size() || m_next <= m_taken + kPicturesAhead; });
            if (m_stop || m_next >= m_files.size())
                return;
            index = m_next++;
        }
        try {
            m_decoded[index].set_value(loadPictureFile(m_files[index]));
        } catch (...) {
            m_decoded[index].set_exception(std::current_exception());
        }
    }
}

std::optional<Surface> PictureReadAhead::load(const std::filesystem::path& file)
{
    if (m_taken >= m_files.size() || m_files[m_taken] != file)
        return loadPictureFile(file);
    std::future<std::optional<Surface>>& result = m_results[m_taken];
    {
        const std::lock_guard lock(m_mutex);
        ++m_taken;
    }
    m_changed.notify_all();
    return result.get();
}

} // namespace kalvon
