#include "platform/picturefile.h"

#include <QImageReader>
#include <QString>

namespace kalvon {

std::optional<Surface> loadPictureFile(const std::filesystem::path& file)
{
    QImageReader reader(QString::fromStdString(file.string()));
    reader.setDecideFormatFromContent(true);
    const QSize size = reader.size();
    if (size.isValid() && (size.width() > kMaxPictureSide || size.height() > kMaxPictureSide))
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
