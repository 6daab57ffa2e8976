#include "platform/bmpfile.h"

#include "common/atomicfile.h"

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
    const int width = surface.width();
    const int height = surface.height();
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

    for (int y = height - 1; y >= 0; --y) {
        const size_t rowStart = out.size();
        for (int x = 0; x < width; ++x) {
            const QRgb pixel = surface.pixel(x, y);
            out.push_back(byteChar(qBlue(pixel)));
            out.push_back(byteChar(qGreen(pixel)));
            out.push_back(byteChar(qRed(pixel)));
        }
        out.resize(rowStart + rowSize, '\0');
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
