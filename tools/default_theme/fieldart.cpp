#include "fieldart.h"

#include "brand.h"
#include "common/cp1252.h"
#include "paint.h"
#include "palette.h"
#include "pixelart.h"

#include <QPainterPath>
#include <QRadialGradient>
#include <array>
#include <cmath>
#include <numbers>

namespace kalvon::themegen {

namespace {

double phase(int frame, int frames)
{
    return 2.0 * std::numbers::pi * frame / frames;
}

// A dark field with a faint cell grid and two slow glows that breathe in turn.
QImage gridBackground(int width, int height, int cell, int frame)
{
    QImage image = canvas(width, height);
    QPainter p(&image);
    verticalGradient(p, image.rect(), QColor(13, 17, 31), QColor(20, 24, 44));
    const double a = 0.5 + 0.5 * std::cos(phase(frame, kBackgroundFrames));
    const double b = 1.0 - a;
    auto glow = [&](QPointF centre, double radius, QColor colour, double strength) {
        QRadialGradient g(centre, radius);
        QColor inner = colour;
        inner.setAlphaF(float(strength));
        QColor outer = colour;
        outer.setAlpha(0);
        g.setColorAt(0, inner);
        g.setColorAt(1, outer);
        p.fillRect(image.rect(), g);
    };
    glow(QPointF(width * 0.2, height * 0.82), width * 0.9, palette::kCyanDeep, 0.10 + 0.10 * a);
    glow(QPointF(width * 0.85, height * 0.2), width * 0.8, QColor(96, 52, 150), 0.08 + 0.10 * b);
    const QColor line(255, 255, 255, 13);
    for (int x = cell; x < width; x += cell)
        p.fillRect(QRect(x, 0, 1, height), line);
    for (int y = cell; y < height; y += cell)
        p.fillRect(QRect(0, y, width, 1), line);
    // A few twinkling points, each with its own phase.
    for (int i = 0; i < width * height / 2400; ++i) {
        const int x = (i * 73 + 11) % width;
        const int y = (i * 151 + 37) % height;
        const double twinkle = 0.5 + 0.5 * std::cos(phase(frame, kBackgroundFrames) + i * 1.7);
        p.fillRect(QRect(x, y, 1, 1), QColor(200, 230, 255, int(40 + 90 * twinkle)));
    }
    return opaque(image);
}

// Amber stripes slanting across a dark band, one every `period` pixels.
void hazardBand(QPainter& p, const QRect& band, int period, QColor ground)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setClipRect(band);
    p.fillRect(band, ground);
    p.setPen(Qt::NoPen);
    p.setBrush(palette::kAmber);
    const double slant = band.height();
    for (int x = band.left() - period - int(slant); x < band.right() + period; x += period) {
        QPolygonF stripe;
        stripe << QPointF(x, band.top()) << QPointF(x + period / 2.0, band.top())
               << QPointF(x + period / 2.0 + slant, band.bottom() + 1)
               << QPointF(x + slant, band.bottom() + 1);
        p.drawPolygon(stripe);
    }
    p.restore();
}

// A full closed pair of field doors; the two door pictures are its halves.
QImage closedDoors()
{
    QImage image = canvas(192, 352);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    verticalGradient(p, image.rect(), QColor(62, 74, 100), QColor(34, 41, 60));
    // Plates and their seams.
    for (int y = 0; y < 352; y += 88) {
        p.fillRect(QRect(0, y, 192, 1), QColor(96, 112, 146));
        p.fillRect(QRect(0, y + 86, 192, 2), QColor(18, 22, 34));
        for (int x : { 20, 84, 108, 172 }) {
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(20, 24, 36));
            p.drawEllipse(QPointF(x + 0.5, y + 8.5), 2.2, 2.2);
            p.drawEllipse(QPointF(x + 0.5, y + 78.5), 2.2, 2.2);
            p.setBrush(QColor(132, 148, 182));
            p.drawEllipse(QPointF(x, y + 8), 1.4, 1.4);
            p.drawEllipse(QPointF(x, y + 78), 1.4, 1.4);
        }
    }
    // Hazard stripes along the outer edges.
    p.setRenderHint(QPainter::Antialiasing, false);
    for (int side : { 0, 1 }) {
        const int x0 = side == 0 ? 0 : 180;
        p.fillRect(QRect(x0, 0, 12, 352), QColor(26, 24, 20));
        p.save();
        p.setClipRect(QRect(x0 + 2, 0, 8, 352));
        p.setRenderHint(QPainter::Antialiasing, true);
        for (int y = -16; y < 352; y += 16) {
            QPolygonF stripe;
            stripe << QPointF(x0, y) << QPointF(x0 + 12, y + 8) << QPointF(x0 + 12, y + 16)
                   << QPointF(x0, y + 8);
            p.setPen(Qt::NoPen);
            p.setBrush(palette::kAmber);
            p.drawPolygon(stripe);
        }
        p.restore();
    }
    drawEmblem(p, QPointF(96, 176), 46, palette::kCyan);
    QFont font = headingFont(11);
    drawShadowText(p, QRect(0, 230, 192, 16), Qt::AlignCenter, QStringLiteral("K A L V O N"), font,
        QColor(170, 186, 214), palette::kEdgeDark);
    return opaque(image);
}

// The left door ends at a zigzag seam around x = 96.
int seamX(int y)
{
    const int t = y % 32;
    return 96 + (t < 16 ? t : 32 - t) / 2 - 4;
}

QImage trophy(int size)
{
    QImage image = canvas(size, size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    const double s = size / 32.0;
    QPainterPath cup;
    cup.moveTo(8 * s, 4 * s);
    cup.lineTo(24 * s, 4 * s);
    cup.cubicTo(24 * s, 16 * s, 20 * s, 20 * s, 16 * s, 20 * s);
    cup.cubicTo(12 * s, 20 * s, 8 * s, 16 * s, 8 * s, 4 * s);
    QLinearGradient gold(0, 0, size, 0);
    gold.setColorAt(0, QColor(255, 236, 150));
    gold.setColorAt(0.5, QColor(246, 190, 60));
    gold.setColorAt(1, QColor(170, 110, 20));
    p.setPen(QPen(QColor(90, 56, 10), 1.2 * s));
    p.setBrush(gold);
    p.drawPath(cup);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(220, 160, 40), 2 * s));
    p.drawArc(QRectF(3 * s, 5 * s, 8 * s, 9 * s), 90 * 16, 180 * 16);
    p.drawArc(QRectF(21 * s, 5 * s, 8 * s, 9 * s), -90 * 16, 180 * 16);
    p.setPen(QPen(QColor(90, 56, 10), 1.2 * s));
    p.setBrush(gold);
    p.drawRect(QRectF(14 * s, 20 * s, 4 * s, 5 * s));
    p.drawRoundedRect(QRectF(9 * s, 25 * s, 14 * s, 4 * s), 1.5 * s, 1.5 * s);
    return image;
}

void sparkle(QPainter& p, QPointF c, double r, QColor colour)
{
    QPainterPath star;
    star.moveTo(c.x(), c.y() - r);
    star.quadTo(c, QPointF(c.x() + r, c.y()));
    star.quadTo(c, QPointF(c.x(), c.y() + r));
    star.quadTo(c, QPointF(c.x() - r, c.y()));
    star.quadTo(c, QPointF(c.x(), c.y() - r));
    p.fillPath(star, colour);
}

QImage winPlaque(
    int width, int height, const QRect& plaque, const QString& word, int textSize, int trophySize)
{
    QImage image = canvas(width, height);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    roundedPanel(p, QRectF(plaque), 8, QColor(40, 32, 20), QColor(18, 14, 10), QPen(QColor(250, 206, 90), 2));
    const QImage cup = trophy(trophySize);
    p.drawImage(QPointF(plaque.center().x() - trophySize / 2.0 + 0.5, plaque.top() + 6), cup);
    QFont font = uiFont(textSize, true);
    font.setLetterSpacing(QFont::PercentageSpacing, 110);
    const QRect textRect(plaque.left(), plaque.top() + trophySize + 6, plaque.width(), textSize + 6);
    drawShadowText(p, textRect, Qt::AlignCenter, word, font, QColor(255, 222, 120), QColor(60, 40, 10));
    const QColor spark(255, 240, 190);
    sparkle(p, QPointF(plaque.left() + 10, plaque.top() + 12), plaque.width() / 20.0, spark);
    sparkle(p, QPointF(plaque.right() - 12, plaque.top() + 20), plaque.width() / 26.0, spark);
    sparkle(p, QPointF(plaque.right() - 20, plaque.bottom() - 10), plaque.width() / 30.0, spark);
    return whiteKeyed(image);
}

QColor ledColour(double t) // t = 0 at the top of the field, 1 at the bottom
{
    if (t < 0.3)
        return mix(QColor(255, 58, 58), QColor(255, 168, 40), t / 0.3);
    if (t < 0.6)
        return mix(QColor(255, 168, 40), QColor(232, 232, 60), (t - 0.3) / 0.3);
    return mix(QColor(232, 232, 60), QColor(64, 220, 96), (t - 0.6) / 0.4);
}

} // namespace

QImage fieldBackground(int frame)
{
    return gridBackground(192, 352, 16, frame);
}

QImage internetBackground(int frame)
{
    return gridBackground(96, 176, 8, frame);
}

QImage nextPieceWindow(int frame)
{
    QImage image = canvas(77, 77);
    QPainter p(&image);
    verticalGradient(p, image.rect(), QColor(16, 21, 38), QColor(10, 13, 24));
    const double glow = 0.5 + 0.5 * std::cos(phase(frame, kWindowFrames));
    const QColor bracket = mix(palette::kCyanDeep, palette::kCyan, glow);
    // Corner brackets.
    for (const QPoint c : { QPoint(2, 2), QPoint(74, 2), QPoint(2, 74), QPoint(74, 74) }) {
        const int dx = c.x() < 38 ? 1 : -1;
        const int dy = c.y() < 38 ? 1 : -1;
        for (int i = 0; i < 8; ++i) {
            image.setPixel(c.x() + dx * i, c.y(), bracket.rgb());
            image.setPixel(c.x(), c.y() + dy * i, bracket.rgb());
        }
    }
    drawText(p, QRect(0, 4, 77, 10), Qt::AlignHCenter | Qt::AlignTop, QStringLiteral("NEXT"), headingFont(8),
        QColor(110, 128, 164));
    return opaque(image);
}

QImage specialWindow(int frame)
{
    QImage image = canvas(160, 16);
    QPainter p(&image);
    verticalGradient(p, image.rect(), QColor(14, 18, 32), QColor(9, 12, 21));
    for (int slot = 0; slot < 10; ++slot) {
        const QRect r(slot * 16, 0, 16, 16);
        bevel(p, r, QColor(6, 8, 14), QColor(40, 48, 72));
        p.fillRect(QRect(r.left() + 7, 7, 2, 2), QColor(44, 52, 78));
    }
    // The slot of the special at hand, with a light running along the bar.
    bevel(p, QRect(0, 0, 16, 16), palette::kAmber, palette::kAmberDeep);
    const int runner = 16 + (frame * 144) / kWindowFrames;
    for (int x = 0; x < 12; ++x)
        p.fillRect(QRect(runner + x, 15, 1, 1),
            mix(QColor(40, 48, 72), palette::kCyan, 1.0 - std::abs(x - 6) / 6.0));
    return opaque(image);
}

QImage fieldDoor(bool left)
{
    const QImage closed = closedDoors();
    QImage door(192, 352, QImage::Format_RGB32);
    door.fill(Qt::white);
    for (int y = 0; y < 352; ++y) {
        const int seam = seamX(y);
        for (int x = 0; x < 192; ++x) {
            const bool mine = left ? x < seam : x >= seam;
            if (!mine)
                continue;
            QColor c = closed.pixelColor(x, y);
            if (x == seam - 1)
                c = QColor(10, 12, 20);
            else if (x == seam)
                c = QColor(110, 126, 160);
            door.setPixelColor(x, y, c);
        }
    }
    return door;
}

QImage internetDoor()
{
    QImage image = canvas(96, 176);
    QPainter p(&image);
    verticalGradient(p, QRect(0, 0, 96, 90), QColor(58, 70, 96), QColor(38, 46, 66));
    verticalGradient(p, QRect(0, 90, 96, 86), QColor(54, 66, 92), QColor(30, 37, 54));
    for (int y = 6; y < 176; y += 12) {
        if (y > 80 && y < 100)
            continue;
        p.fillRect(QRect(4, y, 88, 1), QColor(24, 29, 44));
        p.fillRect(QRect(4, y + 1, 88, 1), QColor(86, 100, 132));
    }
    // Hazard bands at the meeting edges of the two halves.
    hazardBand(p, QRect(0, 82, 96, 8), 12, QColor(26, 24, 20));
    hazardBand(p, QRect(0, 90, 96, 8), 12, QColor(26, 24, 20));
    p.fillRect(QRect(0, 89, 96, 1), QColor(10, 12, 18));
    drawEmblem(p, QPointF(48, 44), 22, palette::kCyan);
    drawText(p, QRect(0, 118, 96, 14), Qt::AlignCenter, QStringLiteral("WAITING"), headingFont(9),
        QColor(150, 166, 196));
    bevel(p, image.rect(), QColor(100, 116, 150), QColor(14, 17, 26));
    return opaque(image);
}

QImage winImage()
{
    return winPlaque(192, 352, QRect(20, 118, 152, 116), QStringLiteral("WINNER"), 26, 60);
}

QImage internetWinImage()
{
    return winPlaque(96, 176, QRect(10, 54, 76, 68), QStringLiteral("WIN"), 15, 36);
}

QImage heightLed()
{
    QImage image(8, 352, QImage::Format_RGB32);
    image.fill(QColor(8, 10, 16));
    for (int y = 0; y < 352; ++y) {
        if (y % 4 == 3)
            continue; // gap between segments
        const QColor c = ledColour(double(y) / 351.0);
        for (int x = 0; x < 8; ++x) {
            const int column = x % 4;
            QColor px = c;
            if (column == 0)
                px = shade(c, 0.62);
            else if (column == 1)
                px = shade(c, 1.3);
            else if (column == 3)
                px = shade(c, 0.75);
            image.setPixelColor(x, y, px);
        }
    }
    return image;
}

QImage warningImage()
{
    QImage image = canvas(192, 64);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    hazardBand(p, QRect(0, 2, 192, 8), 16, QColor(22, 18, 12));
    hazardBand(p, QRect(0, 46, 192, 8), 16, QColor(22, 18, 12));
    QFont font = uiFont(22, true);
    font.setLetterSpacing(QFont::PercentageSpacing, 115);
    QPainterPath text;
    const QFontMetricsF fm(font);
    const QString word = QStringLiteral("DANGER");
    text.addText(QPointF(96 - fm.horizontalAdvance(word) / 2, 28 + fm.capHeight() / 2), font, word);
    p.setPen(QPen(QColor(30, 14, 8), 3.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(text);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 92, 60));
    p.drawPath(text);
    return whiteKeyed(image);
}

QImage teamFont()
{
    QImage font(128, 128, QImage::Format_RGB32);
    font.fill(Qt::white);
    const QRgb ink = qRgb(236, 242, 255);
    const QRgb shadow = qRgb(18, 22, 36);
    for (int c = 33; c < 256; ++c) {
        const Mask glyph = teamGlyph(cp1252ToUnicode(static_cast<unsigned char>(c)));
        const int ox = 8 * (c % 16) + 1, oy = 8 * (c / 16);
        for (int y = 0; y < 7; ++y)
            for (int x = 0; x < 5; ++x)
                if (glyph.at(x, y) && !glyph.at(x + 1, y + 1))
                    font.setPixel(ox + x + 1, oy + y + 1, shadow);
        for (int y = 0; y < 7; ++y)
            for (int x = 0; x < 5; ++x)
                if (glyph.at(x, y))
                    font.setPixel(ox + x, oy + y, ink);
    }
    return font;
}

} // namespace kalvon::themegen
