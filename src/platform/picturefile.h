#pragma once
// LoadPicture: reading a picture file (BMP, JPEG, GIF, PNG, ICO; the format is found from the
// content, not the name) into a surface. Windows metafiles are not read. A picture larger than
// any a theme uses (kMaxPictureSide) fails like a broken one before it is decoded, so a hostile
// theme of thousands of huge frames cannot stall loading for minutes.

#include "platform/surface.h"

#include <filesystem>
#include <optional>

namespace kalvon {

inline constexpr int kMaxPictureSide = 2048;

// The picture, or nothing when the file is missing, too large or cannot be decoded.
std::optional<Surface> loadPictureFile(const std::filesystem::path& file);

// True when the picture file's header gives a side above kMaxPictureSide (a top-down BMP's
// negative height counts by its size).
bool pictureFileTooLarge(const std::filesystem::path& file);

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
