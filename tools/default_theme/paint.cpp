#include "paint.h"

#include "palette.h"

#include <QBuffer>
#include <QFontDatabase>
#include <QLinearGradient>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

namespace kalvon::themegen {

namespace {

const char* const kFontDir = "/usr/share/fonts/truetype/dejavu/";
const char* const kFontFiles[]
    = { "DejaVuSans.ttf", "DejaVuSans-Bold.ttf", "DejaVuSansMono.ttf", "DejaVuSansMono-Bold.ttf" };

QFont makeFont(const QString& family, int pixelSize, bool bold)
{
    QFont font(family);
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    font.setHintingPreference(QFont::PreferFullHinting);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

} // namespace

bool loadFonts()
{
    for (const char* file : kFontFiles) {
        if (QFontDatabase::addApplicationFont(QString::fromLatin1(kFontDir) + QLatin1String(file)) < 0)
            return false;
    }
    return true;
}

QFont uiFont(int pixelSize, bool bold)
{
    return makeFont(QStringLiteral("DejaVu Sans"), pixelSize, bold);
}

QFont monoFont(int pixelSize, bool bold)
{
    return makeFont(QStringLiteral("DejaVu Sans Mono"), pixelSize, bold);
}

QFont headingFont(int pixelSize)
{
    QFont font = uiFont(pixelSize, true);
    font.setLetterSpacing(QFont::AbsoluteSpacing, 1.0);
    return font;
}

QImage canvas(int width, int height, QColor fill)
{
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(fill);
    return image;
}

QImage opaque(const QImage& image)
{
    return image.convertToFormat(QImage::Format_RGB32);
}

QImage whiteKeyed(const QImage& image)
{
    const QImage src = image.convertToFormat(QImage::Format_ARGB32);
    QImage out(src.size(), QImage::Format_RGB32);
    for (int y = 0; y < src.height(); ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(src.constScanLine(y));
        auto* dst = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < src.width(); ++x) {
            const QRgb px = in[x];
            if (qAlpha(px) < 110) {
                dst[x] = qRgb(255, 255, 255);
            } else if (qRed(px) == 255 && qGreen(px) == 255 && qBlue(px) == 255) {
                dst[x] = qRgb(254, 254, 254);
            } else {
                dst[x] = qRgb(qRed(px), qGreen(px), qBlue(px));
            }
        }
    }
    return out;
}

QByteArray pngBytes(const QImage& image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG", 0); // quality 0 = strongest compression
    return bytes;
}

QColor mix(QColor a, QColor b, double t)
{
    t = std::clamp(t, 0.0, 1.0);
    auto lerp = [t](int u, int v) { return int(std::lround(u + (v - u) * t)); };
    return QColor(lerp(a.red(), b.red()), lerp(a.green(), b.green()), lerp(a.blue(), b.blue()),
        lerp(a.alpha(), b.alpha()));
}

QColor shade(QColor c, double factor)
{
    if (factor <= 1.0)
        return QColor(int(c.red() * factor), int(c.green() * factor), int(c.blue() * factor), c.alpha());
    return mix(c, QColor(255, 255, 255, c.alpha()), factor - 1.0);
}

void verticalGradient(QPainter& p, const QRectF& r, QColor top, QColor bottom)
{
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    p.fillRect(r, g);
}

void bevel(QPainter& p, const QRect& r, QColor light, QColor dark)
{
    p.fillRect(QRect(r.left(), r.top(), r.width(), 1), light);
    p.fillRect(QRect(r.left(), r.top(), 1, r.height()), light);
    p.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), dark);
    p.fillRect(QRect(r.right(), r.top(), 1, r.height()), dark);
}

void well(QPainter& p, const QRect& inner, int border)
{
    const QRect outer = inner.adjusted(-border, -border, border, border);
    p.fillRect(outer, palette::kWell);
    bevel(p, outer, palette::kEdgeDark, palette::kEdgeLight);
    if (border > 1)
        bevel(
            p, outer.adjusted(1, 1, -1, -1), QColor(2, 3, 6), mix(palette::kEdgeLight, palette::kWell, 0.5));
}

void roundedPanel(QPainter& p, const QRectF& r, qreal radius, QColor top, QColor bottom, const QPen& edge)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    QPainterPath path;
    path.addRoundedRect(r, radius, radius);
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    p.fillPath(path, g);
    p.setPen(edge);
    p.drawPath(path);
    p.restore();
}

void backdrop(QPainter& p, const QRect& r, QColor top, QColor bottom, QColor sheenFrom, bool fromRight)
{
    verticalGradient(p, r, top, bottom);
    QLinearGradient sheen(
        fromRight ? r.topRight() : r.topLeft(), fromRight ? r.bottomLeft() : r.bottomRight());
    QColor clear = sheenFrom;
    clear.setAlpha(0);
    sheen.setColorAt(0, sheenFrom);
    sheen.setColorAt(0.6, clear);
    p.fillRect(r, sheen);
}

void card(QPainter& p, const QRect& r, const QString& title, QColor accent)
{
    p.save();
    roundedPanel(p, QRectF(r).adjusted(0.5, 0.5, -0.5, -0.5), 5, shade(palette::kPanel, 1.06),
        shade(palette::kPanel, 0.82), QPen(palette::kEdgeLight, 1));
    p.setRenderHint(QPainter::Antialiasing, true);
    if (!title.isEmpty()) {
        const QRect strip(r.left() + 1, r.top() + 1, r.width() - 2, 20);
        QPainterPath head;
        head.addRoundedRect(QRectF(strip).adjusted(0.5, 0.5, -0.5, 0), 4, 4);
        QLinearGradient hg(strip.topLeft(), strip.bottomLeft());
        hg.setColorAt(0, shade(palette::kPanelHigh, 1.12));
        hg.setColorAt(1, palette::kPanelHigh);
        p.fillPath(head, hg);
        p.setRenderHint(QPainter::Antialiasing, false);
        p.fillRect(QRect(strip.left() + 1, strip.bottom(), strip.width() - 2, 1), shade(accent, 0.75));
        p.fillRect(QRect(strip.left() + 8, strip.top() + 6, 3, 9), accent);
        drawText(p, strip.adjusted(16, 0, -6, 0), Qt::AlignLeft | Qt::AlignVCenter, title.toUpper(),
            headingFont(10), palette::kText);
    }
    p.restore();
}

void drawText(QPainter& p, const QRect& r, int flags, const QString& text, const QFont& font, QColor color)
{
    p.save();
    p.setFont(font);
    p.setPen(color);
    p.drawText(r, flags, text);
    p.restore();
}

void drawShadowText(QPainter& p, const QRect& r, int flags, const QString& text, const QFont& font,
    QColor color, QColor shadow)
{
    drawText(p, r.translated(1, 1), flags, text, font, shadow);
    drawText(p, r, flags, text, font, color);
}

} // namespace kalvon::themegen
