#include "brand.h"

#include "paint.h"
#include "palette.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>

namespace kalvon::themegen {

namespace {

void emblemBlock(QPainter& p, const QRectF& r, QColor c)
{
    QLinearGradient g(r.topLeft(), r.bottomRight());
    g.setColorAt(0, shade(c, 1.45));
    g.setColorAt(1, shade(c, 0.8));
    p.fillRect(r, g);
    p.setPen(QPen(shade(c, 0.4), std::max(1.0, r.width() / 10)));
    p.drawRect(r.adjusted(0.5, 0.5, -0.5, -0.5));
}

} // namespace

void drawEmblem(QPainter& p, QPointF centre, double radius, QColor accent)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    QRadialGradient disc(centre, radius);
    disc.setColorAt(0, shade(palette::kPanelHigh, 1.1));
    disc.setColorAt(1, palette::kDeep);
    p.setPen(Qt::NoPen);
    p.setBrush(disc);
    p.drawEllipse(centre, radius, radius);
    const double ring = std::max(1.5, radius / 9);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(shade(accent, 0.55), ring * 1.8));
    p.drawEllipse(centre, radius - ring, radius - ring);
    p.setPen(QPen(accent, ring));
    p.drawEllipse(centre, radius - ring, radius - ring);

    // The K on a 3 x 3 grid of blocks: a full column and the joint with its two arms.
    const double s = radius * 0.34;
    const QPointF o = centre - QPointF(s * 1.5, s * 1.5);
    const struct {
        int col, row, colour;
    } blocks[] = { { 0, 0, 0 }, { 0, 1, 0 }, { 0, 2, 0 }, { 1, 1, 1 }, { 2, 0, 3 }, { 2, 2, 3 } };
    for (const auto& b : blocks)
        emblemBlock(p, QRectF(o.x() + b.col * s, o.y() + b.row * s, s, s), palette::kBlock[b.colour]);
    p.restore();
}

void drawWordmark(QPainter& p, const QRectF& r, double pixelSize)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    QFont font = uiFont(int(pixelSize), true);
    font.setLetterSpacing(QFont::PercentageSpacing, 112);
    QPainterPath path;
    const QString word = QStringLiteral("KALVON");
    const QFontMetricsF fm(font);
    const double width = fm.horizontalAdvance(word);
    const QPointF origin(r.center().x() - width / 2, r.center().y() + fm.capHeight() / 2);
    path.addText(origin, font, word);
    // Outline, then a vertical gradient from pale cyan to deep cyan, then a thin highlight.
    p.setPen(
        QPen(palette::kEdgeDark, std::max(2.0, pixelSize / 9), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(path.translated(0, pixelSize / 24));
    QLinearGradient g(0, origin.y() - fm.capHeight(), 0, origin.y());
    g.setColorAt(0, QColor(214, 246, 255));
    g.setColorAt(0.5, palette::kCyan);
    g.setColorAt(1, palette::kCyanDeep);
    p.setPen(QPen(shade(palette::kCyanDeep, 0.5), std::max(1.0, pixelSize / 22)));
    p.setBrush(g);
    p.drawPath(path);
    p.restore();
}

} // namespace kalvon::themegen
