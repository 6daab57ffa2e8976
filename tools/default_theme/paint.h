#pragma once
// Drawing helpers shared by the theme's pictures: fonts, canvases, gradients, frames, cards,
// text, and the conversion of a sprite to the theme's "white is transparent" form.

#include <QByteArray>
#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QString>

namespace kalvon::themegen {

// Registers the DejaVu fonts from their files so every run draws with the same faces.
// False when a font file is missing.
bool loadFonts();
QFont uiFont(int pixelSize, bool bold = false);
QFont monoFont(int pixelSize, bool bold = true);

QImage canvas(int width, int height, QColor fill = Qt::transparent);
// An opaque copy (32-bit RGB) of a canvas.
QImage opaque(const QImage& image);
// A sprite for a picture drawn with white as its transparent colour: pixels that are mostly
// transparent become pure white, every other pixel becomes its own colour at full opacity,
// nudged off pure white so it never turns transparent by accident.
QImage whiteKeyed(const QImage& image);
// PNG bytes of an image (deterministic for a given image).
QByteArray pngBytes(const QImage& image);

QColor mix(QColor a, QColor b, double t);
QColor shade(QColor c, double factor); // factor < 1 darker, > 1 lighter (towards white)

void verticalGradient(QPainter& p, const QRectF& r, QColor top, QColor bottom);
// One-pixel frame: light on the top and left edges, dark on the bottom and right.
void bevel(QPainter& p, const QRect& r, QColor light, QColor dark);
// A recessed well around a control: `inner` is the control's rectangle, the frame lies outside it.
void well(QPainter& p, const QRect& inner, int border = 2);
// A rounded rectangle filled with a vertical gradient and outlined with `edge`.
void roundedPanel(QPainter& p, const QRectF& r, qreal radius, QColor top, QColor bottom, const QPen& edge);
// A page's dark backdrop: a vertical gradient with a faint diagonal sheen from `sheenFrom` (at
// the top-left corner, or the top-right one when `fromRight`) fading out towards the other.
void backdrop(
    QPainter& p, const QRect& r, QColor top, QColor bottom, QColor sheenFrom, bool fromRight = false);
// A panel with a rounded outline and, when `title` is set, an upper-case heading strip.
void card(QPainter& p, const QRect& r, const QString& title, QColor accent);
void drawText(QPainter& p, const QRect& r, int flags, const QString& text, const QFont& font, QColor color);
// Text with a one-pixel dark shadow below and to the right.
void drawShadowText(QPainter& p, const QRect& r, int flags, const QString& text, const QFont& font,
    QColor color, QColor shadow);
// Widely spaced upper-case heading text.
QFont headingFont(int pixelSize);

} // namespace kalvon::themegen
