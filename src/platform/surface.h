#pragma once
// A drawing surface: the memory bitmap that the theme sheets, the fields and every picture the
// game draws into are made of. Pixels are 32-bit RGB (QImage::Format_RGB32, 0xffRRGGBB). The
// raster operations are our own pixel loops and work bit by bit on the colour, as the game's
// drawing was designed: a masked sprite is the mask OR-ed onto the destination and then the
// picture AND-ed, so white picture pixels let the destination show through.
//
// Every blit is clipped on both sides: a destination pixel outside this surface is not drawn,
// and a destination pixel whose source lies outside the source surface stays as it was.

#include <QImage>
#include <algorithm>
#include <cstdint>
#include <limits>

namespace kalvon {

enum class RasterOp {
    Copy, // source
    Or, // destination OR source (a mask's pass)
    And, // destination AND source (a masked picture's pass)
    Xor, // destination XOR source (guide lines)
    NotCopy, // NOT source
};

inline constexpr QRgb kBlackPixel = 0xff000000;
inline constexpr QRgb kWhitePixel = 0xffffffff;

// Colours kept as red + 256 green + 65536 blue, and the pixel value of the same colour.
QRgb rgbFromColorRef(uint32_t colorRef);
uint32_t colorRefFromRgb(QRgb rgb);

class Surface {
public:
    // A null surface: 0 x 0, draws nothing and gives nothing.
    Surface() = default;
    // A new surface, black like a fresh memory bitmap.
    Surface(int width, int height);
    // The pixels of an image (any format), without its alpha.
    static Surface fromImage(const QImage& image);

    bool isNull() const { return m_image.isNull(); }
    int width() const { return m_image.width(); }
    int height() const { return m_image.height(); }
    const QImage& image() const { return m_image; }

    // The pixels row by row, width() to a row (Format_RGB32 rows need no padding); null for a
    // null surface. Writing must keep every pixel's top byte 0xff. pixels() makes the buffer
    // this surface's own first, so take it before any constPixels() of a surface that may share
    // the buffer, and again after anything that may have shared it since.
    QRgb* pixels();
    const QRgb* constPixels() const;

    // A number that names the surface's present pixels: it changes whenever anything is drawn
    // into the surface, and a copy has its original's number until either is drawn into, so an
    // unchanged number means unchanged pixels. Never 0.
    uint64_t version() const;

    // The pixel at (x, y); black outside the surface.
    QRgb pixel(int x, int y) const;
    // SetPixel: outside the surface nothing happens.
    void setPixel(int x, int y, QRgb color);
    void fill(QRgb color);

    // BitBlt: combines the w x h rectangle of `source` at (sx, sy) into this surface at
    // (dx, dy). `source` may be this surface; the source is then read before it is written.
    void bitBlt(
        int dx, int dy, int w, int h, const Surface& source, int sx, int sy, RasterOp op = RasterOp::Copy);
    // StretchBlt with nearest-neighbour sampling: the sw x sh rectangle of `source` at
    // (sx, sy) scaled onto dw x dh at (dx, dy). Non-positive sizes draw nothing.
    void stretchBlt(int dx, int dy, int dw, int dh, const Surface& source, int sx, int sy, int sw, int sh,
        RasterOp op = RasterOp::Copy);
    // A masked sprite: `mask` OR-ed, then `picture` AND-ed, both read at (sx, sy).
    void drawMasked(
        int dx, int dy, int w, int h, const Surface& picture, const Surface& mask, int sx, int sy);

    // The rows drawing may change, [first, end): every drawing operation above, and the row
    // writers that ask for them, leave the other rows as they are. A redraw of a few rows runs
    // the whole drawing with the others left out. All rows unless limited (by DrawingRows); a
    // copy keeps the limit.
    struct Rows {
        int first;
        int end;
    };
    Rows drawableRows() const { return { std::max(m_drawFirst, 0), std::min(m_drawEnd, height()) }; }

private:
    friend class DrawingRows;

    explicit Surface(QImage image)
        : m_image(std::move(image))
    {
    }
    // Drawn into: the next version() names the new pixels.
    void touch() { m_version = 0; }

    QImage m_image;
    mutable uint64_t m_version = 0; // 0 until version() is asked after a change
    int m_drawFirst = 0;
    int m_drawEnd = std::numeric_limits<int>::max();
};

// Limits the drawing into a surface to rows [first, end) while it lives.
class DrawingRows {
public:
    DrawingRows(Surface& surface, int first, int end)
        : m_surface(surface)
        , m_before{ surface.m_drawFirst, surface.m_drawEnd }
    {
        surface.m_drawFirst = first;
        surface.m_drawEnd = end;
    }
    ~DrawingRows()
    {
        m_surface.m_drawFirst = m_before.first;
        m_surface.m_drawEnd = m_before.end;
    }
    DrawingRows(const DrawingRows&) = delete;
    DrawingRows& operator=(const DrawingRows&) = delete;

private:
    Surface& m_surface;
    Surface::Rows m_before;
};

// BuildMask: writes into `mask` the mask of `source` over the rectangle (left, top, right,
// bottom): an area one pixel short in each direction, (right - left - 1) x (bottom - top - 1),
// taken from (left, top) of the source and placed at (0, 0) of the mask. The mask is black
// where the source is white and white elsewhere (also where the area reaches past the source);
// mask pixels outside the area are not touched.
void BuildMask(Surface& mask, const Surface& source, int left, int top, int right, int bottom);

} // namespace kalvon
