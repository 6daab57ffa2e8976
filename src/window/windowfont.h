#pragma once
// The font of the game's windows and their labels (docs/layout.md): DejaVu Sans at 11 pixels.

#include <QFont>

namespace kalvon {

inline QFont windowFont()
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(11);
    return font;
}

} // namespace kalvon
