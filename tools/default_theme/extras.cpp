#include "extras.h"

#include "blocks.h"
#include "brand.h"
#include "layout.h"
#include "paint.h"
#include "palette.h"

#include <QPainterPath>
#include <cmath>

namespace kalvon::themegen {

namespace {

// A block of any size with a one-pixel outline, a lit top-left and a shaded bottom-right.
void gem(QImage& image, int ox, int oy, int size, QColor base)
{
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const int edge = std::min({ x, y, size - 1 - x, size - 1 - y });
            QColor c = mix(shade(base, 1.12), shade(base, 0.82), double(y) / std::max(1, size - 1));
            if (edge == 0)
                c = shade(base, 0.38);
            else if (edge == 1 && size >= 6)
                c = (x == 1 || y == 1) && x < size - 2 && y < size - 2 ? shade(base, 1.45)
                                                                       : shade(base, 0.62);
            image.setPixelColor(ox + x, oy + y, c);
        }
}

} // namespace

QImage programIcon(int size)
{
    QImage icon = canvas(size, size);
    {
        QPainter p(&icon);
        p.setRenderHint(QPainter::Antialiasing, true);
        QPainterPath back;
        const double r = size / 5.0;
        back.addRoundedRect(QRectF(0.5, 0.5, size - 1, size - 1), r, r);
        QLinearGradient g(0, 0, 0, size);
        g.setColorAt(0, QColor(40, 52, 82));
        g.setColorAt(1, QColor(12, 16, 28));
        p.fillPath(back, g);
        p.setPen(QPen(shade(palette::kCyan, 0.85), size >= 32 ? 1.5 : 1.0));
        p.drawPath(back);
    }
    // The K of the emblem on a 3 x 3 grid of blocks.
    const int block = (size - (size >= 32 ? 8 : 4)) / 3;
    const int origin = (size - 3 * block) / 2;
    const struct {
        int col, row, colour;
    } blocks[] = { { 0, 0, 0 }, { 0, 1, 0 }, { 0, 2, 0 }, { 1, 1, 1 }, { 2, 0, 3 }, { 2, 2, 3 } };
    for (const auto& b : blocks)
        gem(icon, origin + b.col * block, origin + b.row * block, block, palette::kBlock[b.colour]);
    return icon;
}

QImage splashImage(const QString& subtitle)
{
    QImage image = canvas(layout::kSplashWidth, layout::kSplashHeight);
    QPainter p(&image);
    verticalGradient(p, image.rect(), QColor(24, 30, 52), QColor(8, 10, 18));
    QRadialGradient glow(QPointF(216, 92), 220);
    glow.setColorAt(0, QColor(58, 206, 255, 60));
    glow.setColorAt(1, QColor(58, 206, 255, 0));
    p.fillRect(image.rect(), glow);
    // A faint grid and a scatter of falling blocks behind the word mark.
    for (int x = 0; x < image.width(); x += 16)
        p.fillRect(QRect(x, 0, 1, image.height()), QColor(255, 255, 255, 8));
    for (int y = 0; y < image.height(); y += 16)
        p.fillRect(QRect(0, y, image.width(), 1), QColor(255, 255, 255, 8));
    p.end();
    const struct {
        int x, y, code;
    } tiles[] = { { 16, 16, 0 }, { 16, 32, 0 }, { 16, 48, 0 }, { 16, 64, 0 }, { 384, 24, 3 }, { 400, 24, 3 },
        { 400, 40, 3 }, { 400, 56, 3 }, { 48, 144, 4 }, { 64, 144, 4 }, { 64, 160, 4 }, { 80, 160, 4 },
        { 352, 152, 1 }, { 368, 152, 1 }, { 384, 152, 1 }, { 368, 136, 1 }, { 320, 168, 5 }, { 336, 168, 5 },
        { 320, 184, 5 }, { 336, 184, 5 }, { 96, 184, 2 }, { 112, 184, 2 }, { 112, 168, 8 }, { 128, 168, 2 } };
    for (const auto& t : tiles)
        drawTile16(image, t.x, t.y, t.code, 0);
    p.begin(&image);
    drawEmblem(p, QPointF(88, 92), 44, palette::kCyan);
    drawWordmark(p, QRectF(140, 50, 270, 70), 52);
    QFont font = headingFont(11);
    drawShadowText(p, QRect(150, 118, 250, 18), Qt::AlignCenter, subtitle, font, QColor(190, 204, 230),
        palette::kEdgeDark);
    bevel(p, image.rect(), QColor(80, 96, 132), QColor(4, 6, 10));
    return opaque(image);
}

QImage loadingBar()
{
    QImage image = canvas(layout::kLoadingBarWidth, layout::kLoadingBarHeight);
    QPainter p(&image);
    verticalGradient(p, image.rect(), QColor(10, 13, 22), QColor(16, 20, 32));
    for (int x = 2; x + 5 <= layout::kLoadingBarWidth - 2; x += 7) {
        const double t = double(x) / layout::kLoadingBarWidth;
        const QColor c = mix(palette::kCyan, QColor(150, 96, 236), t);
        const QRect segment(x, 3, 5, 11);
        verticalGradient(p, segment, shade(c, 1.4), shade(c, 0.7));
        p.fillRect(QRect(x, 3, 5, 1), shade(c, 1.7));
    }
    bevel(p, image.rect(), QColor(6, 8, 14), QColor(70, 84, 118));
    return opaque(image);
}

QImage aboutImage()
{
    QImage image = canvas(96, 96);
    QPainter p(&image);
    verticalGradient(p, image.rect(), QColor(30, 38, 60), QColor(10, 13, 22));
    drawEmblem(p, QPointF(48, 42), 32, palette::kCyan);
    drawText(
        p, QRect(0, 76, 96, 16), Qt::AlignCenter, QStringLiteral("KALVON"), headingFont(11), palette::kText);
    bevel(p, image.rect(), QColor(80, 96, 132), QColor(4, 6, 10));
    return opaque(image);
}

QImage editorTabIcon(int tab)
{
    QImage icon = canvas(16, 16);
    QPainter p(&icon);
    p.setRenderHint(QPainter::Antialiasing, true);
    const QColor ink(36, 56, 96);
    switch (tab) {
    case 0: // general: an information mark
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(40, 130, 210));
        p.drawEllipse(QRectF(1, 1, 14, 14));
        p.setBrush(Qt::white);
        p.drawEllipse(QRectF(7, 3.5, 2.2, 2.2));
        p.drawRect(QRectF(7, 7, 2.2, 5.5));
        break;
    case 1: // interface: a small window
        p.setPen(QPen(ink, 1));
        p.setBrush(QColor(236, 242, 250));
        p.drawRect(QRectF(1.5, 2.5, 13, 11));
        p.fillRect(QRectF(2, 3, 12, 3), QColor(40, 130, 210));
        break;
    case 2: // background: a landscape picture
        p.setPen(QPen(ink, 1));
        p.setBrush(QColor(150, 200, 240));
        p.drawRect(QRectF(1.5, 2.5, 13, 11));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(70, 160, 90));
        p.drawPolygon(
            QPolygonF({ QPointF(2, 13), QPointF(7, 7), QPointF(10, 10), QPointF(12, 8), QPointF(14, 13) }));
        p.setBrush(QColor(250, 210, 60));
        p.drawEllipse(QRectF(10, 4, 3, 3));
        break;
    case 3: // blocks: four tiles
        p.end();
        for (int i = 0; i < 4; ++i)
            gem(icon, 1 + 7 * (i % 2), 1 + 7 * (i / 2), 7, palette::kBlock[i == 3 ? 5 : i * 2]);
        return icon;
    case 4: { // miscellaneous graphics: a burst
        QPainterPath star;
        for (int i = 0; i < 16; ++i) {
            const double a = i * 3.14159265358979 / 8;
            const double r = i % 2 ? 3.0 : 7.2;
            const QPointF pt(8 + r * std::cos(a), 8 + r * std::sin(a));
            i == 0 ? star.moveTo(pt) : star.lineTo(pt);
        }
        star.closeSubpath();
        p.setPen(QPen(QColor(170, 70, 20), 1));
        p.setBrush(QColor(255, 170, 50));
        p.drawPath(star);
        break;
    }
    default: // sounds and music: a note
        p.setPen(Qt::NoPen);
        p.setBrush(ink);
        p.drawEllipse(QRectF(2, 10, 5, 4));
        p.drawEllipse(QRectF(9, 8, 5, 4));
        p.drawRect(QRectF(5.5, 3, 1.5, 9));
        p.drawRect(QRectF(12.5, 1.5, 1.5, 8.5));
        p.drawPolygon(QPolygonF({ QPointF(5.5, 3), QPointF(14, 1.5), QPointF(14, 4), QPointF(5.5, 5.5) }));
        break;
    }
    return icon;
}

} // namespace kalvon::themegen
