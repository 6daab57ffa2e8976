#pragma once
// Our own BMP writer: 24 bits per pixel, rows bottom-up and padded to four bytes, no
// compression. The output depends only on the pixels, so tests can compare it byte for byte.
// And a quick reader for the same plain kind of BMP, the kind theme pictures nearly always are.

#include "common/bytes.h"
#include "platform/surface.h"

#include <filesystem>
#include <optional>
#include <string_view>

namespace kalvon {

// The whole file: file header, information header, pixel rows.
Bytes encodeBmp(const Surface& surface);
// The same for the top-left `width` x `height` pixels of the surface, black where the surface
// does not reach.
Bytes encodeBmp(const Surface& surface, int width, int height);

// Writes the file whole (a failed write leaves an existing file as it was). False on failure or
// for a null surface.
[[nodiscard]] bool writeBmpFile(const Surface& surface, const std::filesystem::path& file);

// The pixels of a whole BMP file that is plain: a 40-byte information header, 24 bits per pixel,
// no compression, rows bottom-up or top-down, no side above `maxSide`, every row present.
// Nothing for any other file, which the general picture reader then decodes (or refuses); for a
// plain file both give the same pixels.
std::optional<Surface> decodePlainBmp(std::string_view file, int maxSide);

} // namespace kalvon
