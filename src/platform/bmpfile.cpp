#include "platform/bmpfile.h"

#include "common/atomicfile.h"

#include <algorithm>
#include <cstdlib>

namespace kalvon {

namespace {

constexpr int kFileHeaderSize = 14;
constexpr int kInfoHeaderSize = 40;

void putLittleEndian(Bytes& out, uint32_t value, int size)
{
    for (int i = 0; i < size; ++i)
        out.push_back(byteChar(int((value >> (8 * i)) & 0xff)));
}

uint32_t readLittleEndian(std::string_view bytes, size_t at, int size)
{
    uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = (value << 8) | uint8_t(bytes[at + size_t(i)]);
    return value;
}

} // namespace

std::optional<Surface> decodePlainBmp(std::string_view file, int maxSide)
{
    constexpr size_t kHeadersSize = kFileHeaderSize + kInfoHeaderSize;
    if (file.size() < kHeadersSize || file.substr(0, 2) != "BM"
        || readLittleEndian(file, kFileHeaderSize, 4) != kInfoHeaderSize)
        return std::nullopt;
    const uint32_t offset = readLittleEndian(file, 10, 4);
    const auto width = int32_t(readLittleEndian(file, 18, 4));
    const auto storedHeight = int32_t(readLittleEndian(file, 22, 4));
    const uint32_t planes = readLittleEndian(file, 26, 2);
    const uint32_t bitsPerPixel = readLittleEndian(file, 28, 2);
    const uint32_t compression = readLittleEndian(file, 30, 4);
    if (planes != 1 || bitsPerPixel != 24 || compression != 0 || offset < kHeadersSize)
        return std::nullopt;
    const int64_t height = std::abs(int64_t(storedHeight));
    if (width <= 0 || width > maxSide || height == 0 || height > maxSide)
        return std::nullopt;
    const size_t rowSize = (size_t(width) * 3 + 3) & ~size_t(3);
    if (offset > file.size() || (file.size() - offset) / rowSize < size_t(height))
        return std::nullopt;

    QImage image(width, int(height), QImage::Format_RGB32);
    if (image.isNull())
        return std::nullopt;
    const bool bottomUp = storedHeight > 0;
    for (int y = 0; y < int(height); ++y) {
        const auto* row = reinterpret_cast<const uint8_t*>(file.data()) + offset
            + size_t(bottomUp ? height - 1 - y : y) * rowSize;
        auto* out = reinterpret_cast<uint32_t*>(image.scanLine(y));
        for (int x = 0; x < width; ++x, row += 3)
            out[x] = 0xff000000u | uint32_t(row[2]) << 16 | uint32_t(row[1]) << 8 | row[0];
    }
    return Surface::fromImage(image);
}

Bytes encodeBmp(const Surface& surface)
{
    return encodeBmp(surface, surface.width(), surface.height());
}

Bytes encodeBmp(const Surface& surface, int width, int height)
{
    width = std::max(width, 0);
    height = std::max(height, 0);
    const uint32_t rowSize = (uint32_t(width) * 3 + 3) & ~3u;
    const uint32_t pixelBytes = rowSize * uint32_t(height);
    const uint32_t offset = kFileHeaderSize + kInfoHeaderSize;

    Bytes out;
    out.reserve(offset + pixelBytes);
    out += "BM";
    putLittleEndian(out, offset + pixelBytes, 4);
    putLittleEndian(out, 0, 4); // reserved
    putLittleEndian(out, offset, 4);

    putLittleEndian(out, kInfoHeaderSize, 4);
    putLittleEndian(out, uint32_t(width), 4);
    putLittleEndian(out, uint32_t(height), 4); // positive: bottom-up
    putLittleEndian(out, 1, 2); // planes
    putLittleEndian(out, 24, 2); // bits per pixel
    putLittleEndian(out, 0, 4); // no compression
    putLittleEndian(out, pixelBytes, 4);
    putLittleEndian(out, 0, 4); // horizontal resolution: unspecified
    putLittleEndian(out, 0, 4); // vertical resolution
    putLittleEndian(out, 0, 4); // colours used
    putLittleEndian(out, 0, 4); // important colours

    // The rows are written whole into the buffer sized for all of them; the padding at each
    // row's end, and what lies beyond the surface, stays zero (black).
    out.resize(offset + pixelBytes, '\0');
    const int columns = std::min(width, surface.width());
    char* row = out.data() + offset;
    for (int y = height - 1; y >= 0; --y, row += rowSize) {
        if (y >= surface.height())
            continue;
        const auto* pixels = reinterpret_cast<const QRgb*>(surface.image().constScanLine(y));
        char* to = row;
        for (int x = 0; x < columns; ++x, to += 3) {
            to[0] = byteChar(qBlue(pixels[x]));
            to[1] = byteChar(qGreen(pixels[x]));
            to[2] = byteChar(qRed(pixels[x]));
        }
    }
    return out;
}

bool writeBmpFile(const Surface& surface, const std::filesystem::path& file)
{
    if (surface.isNull())
        return false;
    return writeFileAtomically(file, encodeBmp(surface)).ok;
}

} // namespace kalvon
