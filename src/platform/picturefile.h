#pragma once
// LoadPicture: reading a picture file (BMP, JPEG, GIF, PNG, ICO; the format is found from the
// content, not the name) into a surface. Windows metafiles are not read. Qt's allocation limit
// stays in force, so a huge picture fails like a broken one.

#include "platform/surface.h"

#include <filesystem>
#include <optional>

namespace kalvon {

// The picture, or nothing when the file is missing or cannot be decoded.
std::optional<Surface> loadPictureFile(const std::filesystem::path& file);

// A picture box's picture as the theme loaders use it: loading a file that cannot be read
// keeps the picture loaded before, so whatever is copied from it next shows that picture.
class PictureBuffer {
public:
    // True when the file was read; otherwise the previous picture stays. An empty name clears
    // the picture.
    bool load(const std::filesystem::path& file);
    const Surface& picture() const { return m_picture; }

private:
    Surface m_picture;
};

} // namespace kalvon
