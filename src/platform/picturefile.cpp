#include "platform/picturefile.h"

#include <QImageReader>
#include <QString>
#include <cstdlib>

namespace kalvon {

namespace {

// The header's size; a reader that cannot tell gives -1 x -1. A top-down BMP gives its height
// as a negative number, and is decoded at that height all the same.
bool tooLarge(const QImageReader& reader)
{
    const QSize size = reader.size();
    return std::abs(int64_t(size.width())) > kMaxPictureSide
        || std::abs(int64_t(size.height())) > kMaxPictureSide;
}

} // namespace

bool pictureFileTooLarge(const std::filesystem::path& file)
{
    QImageReader reader(QString::fromStdString(file.string()));
    reader.setDecideFormatFromContent(true);
    return tooLarge(reader);
}

std::optional<Surface> loadPictureFile(const std::filesystem::path& file)
{
    QImageReader reader(QString::fromStdString(file.string()));
    reader.setDecideFormatFromContent(true);
    if (tooLarge(reader))
        return std::nullopt;
    const QImage image = reader.read();
    if (image.isNull())
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
