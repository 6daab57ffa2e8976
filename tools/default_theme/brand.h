#pragma once
// The game's mark: a ring holding a "K" built from four blocks, and the KALVON word mark.

#include <QColor>
#include <QPainter>
#include <QRectF>

namespace kalvon::themegen {

void drawEmblem(QPainter& p, QPointF centre, double radius, QColor accent);
// The word mark filling `r` (height sets the letter size), centred.
void drawWordmark(QPainter& p, const QRectF& r, double pixelSize);

} // namespace kalvon::themegen
