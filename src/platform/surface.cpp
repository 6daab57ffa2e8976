#include "platform/surface.h"

#include <algorithm>
#include <atomic>
#include <cstring>

namespace kalvon {

namespace {

constexpr uint32_t kOpaque = 0xff000000;

// The alpha byte of Format_RGB32 must stay 0xff whatever the operation does to the colour.
template <RasterOp op, typename T> inline T combine(T destination, T source)
{
    if constexpr (op == RasterOp::Copy)
        return source | kOpaque;
    else if constexpr (op == RasterOp::Or)
        return destination | source | kOpaque;
    else if constexpr (op == RasterOp::And)
        return (destination & source) | kOpaque;
    else if constexpr (op == RasterOp::Xor)
        return (destination ^ source) | kOpaque;
    else
        return ~source | kOpaque;
}

// Four pixels at a time (one SSE register; plain C++ with the compiler's vector types).
using PixelQuad = uint32_t __attribute__((vector_size(16)));

// Combines `rows` rows of `count` pixels; each image's rows lie `stride` pixels apart. The
// destination and the source are distinct buffers.
template <RasterOp op>
void combineRows(uint32_t* destination, qsizetype destinationStride, const uint32_t* source,
    qsizetype sourceStride, int count, int rows)
{
    for (int row = 0; row < rows; ++row) {
        uint32_t* __restrict to = destination + row * destinationStride;
        const uint32_t* __restrict from = source + row * sourceStride;
        int i = 0;
        for (; i + 4 <= count; i += 4) {
            PixelQuad d;
            PixelQuad s;
            std::memcpy(&d, to + i, sizeof d);
            std::memcpy(&s, from + i, sizeof s);
            d = combine<op>(d, s);
            std::memcpy(to + i, &d, sizeof d);
        }
        for (; i < count; ++i)
            to[i] = combine<op>(to[i], from[i]);
    }
}

void combineRows(RasterOp op, uint32_t* destination, qsizetype destinationStride, const uint32_t* source,
    qsizetype sourceStride, int count, int rows)
{
    switch (op) {
    case RasterOp::Copy:
        combineRows<RasterOp::Copy>(destination, destinationStride, source, sourceStride, count, rows);
        break;
    case RasterOp::Or:
        combineRows<RasterOp::Or>(destination, destinationStride, source, sourceStride, count, rows);
        break;
    case RasterOp::And:
        combineRows<RasterOp::And>(destination, destinationStride, source, sourceStride, count, rows);
        break;
    case RasterOp::Xor:
        combineRows<RasterOp::Xor>(destination, destinationStride, source, sourceStride, count, rows);
        break;
    case RasterOp::NotCopy:
        combineRows<RasterOp::NotCopy>(destination, destinationStride, source, sourceStride, count, rows);
        break;
    }
}

// The part [from, to) of a span of `length` pixels that lands inside both surfaces, as offsets
// from the start of the span.
struct Span {
    int from;
    int to;
};

Span clipSpan(int length, int destinationStart, int destinationSize, int sourceStart, int sourceSize)
{
    const int from = std::max({ 0, -destinationStart, -sourceStart });
    const int to = std::min({ length, destinationSize - destinationStart, sourceSize - sourceStart });
    return { from, to };
}

} // namespace

QRgb rgbFromColorRef(uint32_t colorRef)
{
    return qRgb(int(colorRef & 0xff), int((colorRef >> 8) & 0xff), int((colorRef >> 16) & 0xff));
}

uint32_t colorRefFromRgb(QRgb rgb)
{
    return uint32_t(qRed(rgb)) | uint32_t(qGreen(rgb)) << 8 | uint32_t(qBlue(rgb)) << 16;
}

Surface::Surface(int width, int height)
{
    if (width <= 0 || height <= 0)
        return;
    m_image = QImage(width, height, QImage::Format_RGB32);
    m_image.fill(kBlackPixel);
}

Surface Surface::fromImage(const QImage& image)
{
    if (image.isNull())
        return {};
    return Surface(image.convertToFormat(QImage::Format_RGB32));
}

QRgb Surface::pixel(int x, int y) const
{
    if (x < 0 || y < 0 || x >= width() || y >= height())
        return kBlackPixel;
    return reinterpret_cast<const QRgb*>(m_image.constScanLine(y))[x];
}

void Surface::setPixel(int x, int y, QRgb color)
{
    const Rows rows = drawableRows();
    if (x < 0 || y < rows.first || x >= width() || y >= rows.end)
        return;
    touch();
    reinterpret_cast<QRgb*>(m_image.scanLine(y))[x] = color | kOpaque;
}

QRgb* Surface::pixels()
{
    touch();
    return reinterpret_cast<QRgb*>(m_image.bits());
}

const QRgb* Surface::constPixels() const
{
    return reinterpret_cast<const QRgb*>(m_image.constBits());
}

uint64_t Surface::version() const
{
    static std::atomic<uint64_t> lastVersion{ 0 };
    if (m_version == 0)
        m_version = lastVersion.fetch_add(1, std::memory_order_relaxed) + 1;
    return m_version;
}

void Surface::fill(QRgb color)
{
    touch();
    if (isNull())
        return;
    const Rows rows = drawableRows();
    if (rows.first == 0 && rows.end == height()) {
        m_image.fill(color | kOpaque);
        return;
    }
    for (int y = rows.first; y < rows.end; ++y)
        std::fill_n(reinterpret_cast<QRgb*>(m_image.scanLine(y)), width(), color | kOpaque);
}

void Surface::bitBlt(int dx, int dy, int w, int h, const Surface& source, int sx, int sy, RasterOp op)
{
    if (isNull() || source.isNull())
        return;
    const Span columns = clipSpan(w, dx, width(), sx, source.width());
    Span rows = clipSpan(h, dy, height(), sy, source.height());
    const Rows drawable = drawableRows();
    rows.from = std::max(rows.from, drawable.first - dy);
    rows.to = std::min(rows.to, drawable.end - dy);
    if (columns.from >= columns.to || rows.from >= rows.to)
        return;
    if (&source == this) {
        // Read the source rectangle whole before any of it is overwritten.
        const Surface copy(
            m_image.copy(sx + columns.from, sy + rows.from, columns.to - columns.from, rows.to - rows.from));
        bitBlt(dx + columns.from, dy + rows.from, columns.to - columns.from, rows.to - rows.from, copy, 0, 0,
            op);
        return;
    }
    // The destination's buffer first: making it this surface's own (when it is shared) leaves
    // the source's buffer as it was.
    uint32_t* destination = pixels() + qsizetype(dy + rows.from) * width() + dx + columns.from;
    const uint32_t* from
        = source.constPixels() + qsizetype(sy + rows.from) * source.width() + sx + columns.from;
    combineRows(
        op, destination, width(), from, source.width(), columns.to - columns.from, rows.to - rows.from);
}

void Surface::stretchBlt(
    int dx, int dy, int dw, int dh, const Surface& source, int sx, int sy, int sw, int sh, RasterOp op)
{
    if (isNull() || source.isNull() || dw <= 0 || dh <= 0 || sw <= 0 || sh <= 0)
        return;
    const Surface copy = &source == this ? *this : Surface();
    const Surface& from = &source == this ? copy : source;
    touch();
    const Rows drawable = drawableRows();
    for (int row = std::max(0, drawable.first - dy); row < dh && dy + row < drawable.end; ++row) {
        const int sourceRow = sy + int(int64_t(row) * sh / dh);
        if (sourceRow < 0 || sourceRow >= from.height())
            continue;
        const auto* sourceLine = reinterpret_cast<const uint32_t*>(from.m_image.constScanLine(sourceRow));
        auto* destination = reinterpret_cast<uint32_t*>(m_image.scanLine(dy + row));
        for (int column = std::max(0, -dx); column < dw && dx + column < width(); ++column) {
            const int sourceColumn = sx + int(int64_t(column) * sw / dw);
            if (sourceColumn < 0 || sourceColumn >= from.width())
                continue;
            combineRows(op, destination + dx + column, 0, sourceLine + sourceColumn, 0, 1, 1);
        }
    }
}

void Surface::drawMasked(
    int dx, int dy, int w, int h, const Surface& picture, const Surface& mask, int sx, int sy)
{
    bitBlt(dx, dy, w, h, mask, sx, sy, RasterOp::Or);
    bitBlt(dx, dy, w, h, picture, sx, sy, RasterOp::And);
}

void BuildMask(Surface& mask, const Surface& source, int left, int top, int right, int bottom)
{
    const int w = right - left - 1;
    const int h = bottom - top - 1;
    if (w <= 0 || h <= 0)
        return;
    // The one-bit scratch: set (shown white) where the source is white, clear (black) elsewhere,
    // and clear where the area reaches past the source.
    Surface scratch(w, h);
    const Span columns = clipSpan(w, 0, w, left, source.width());
    for (int y = std::max(0, -top); y < h && top + y < source.height(); ++y) {
        const auto* from = reinterpret_cast<const uint32_t*>(source.image().constScanLine(top + y)) + left;
        for (int x = columns.from; x < columns.to; ++x) {
            if ((from[x] | kOpaque) == kWhitePixel)
                scratch.setPixel(x, y, kWhitePixel);
        }
    }
    mask.bitBlt(0, 0, w, h, scratch, 0, 0, RasterOp::Copy);
    mask.bitBlt(0, 0, w, h, mask, 0, 0, RasterOp::NotCopy);
}

} // namespace kalvon
