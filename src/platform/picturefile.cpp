#include "platform/picturefile.h"

#include <QImageReader>
#include <QString>
#include <cstdlib>

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

} // namespace

bool pictureFileTooLarge(const std::filesystem::path& file)
{
    QImageReader reader(QString::fromStdString(file.string()));
    reader.setDecideFormatFromContent(true);
    return tooLarge(reader.size());
}

std::optional<Surface> loadPictureFile(const std::filesystem::path& file)
{
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
    std::optional<Surface> picture = loadPictureFile(file);
    if (!picture)
        return false;
    m_picture = std::move(*picture);
    return true;
}

} // namespace kalvon
