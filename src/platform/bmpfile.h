#pragma once
// Our own BMP writer: 24 bits per pixel, rows bottom-up and padded to four bytes, no
// compression. The output depends only on the pixels, so tests can compare it byte for byte.

#include "common/bytes.h"
#include "platform/surface.h"

#include <filesystem>

namespace kalvon {

// The whole file: file header, information header, pixel rows.
Bytes encodeBmp(const Surface& surface);
// The same for the top-left `width` x `height` pixels of the surface, black where the surface
// does not reach.
Bytes encodeBmp(const Surface& surface, int width, int height);

// Writes the file whole (a failed write leaves an existing file as it was). False on failure or
// for a null surface.
[[nodiscard]] bool writeBmpFile(const Surface& surface, const std::filesystem::path& file);

} // namespace kalvon
