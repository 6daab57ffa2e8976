#include "platform/bmpfile.h"

#include "common/atomicfile.h"

#include <algorithm>

namespace kalvon {

namespace {

constexpr int kFileHeaderSize = 14;
constexpr int kInfoHeaderSize = 40;

void putLittleEndian(Bytes& out, uint32_t value, int size)
{
    for (int i = 0; i < size; ++i)
        out.push_back(byteChar(int((value >> (8 * i)) & 0xff)));
}

} // namespace

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
