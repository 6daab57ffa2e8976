#pragma once
// The skinned window's pictures: the main image with title bar, menu bar and fields page, the
// five page backgrounds, the internet backdrop, the tile sheet of buttons, menus and side
// panels, the menu highlights and the high-score window.

#include "pages.h"

#include <QImage>

namespace kalvon::themegen {

QImage ifaceMain(); // 640 x 521
QImage pageBackground(const Page& page); // 624 x 466
QImage ifaceInet(); // 355 x 413
QImage ifaceMisc(); // 576 x 470
QImage ifaceMenu(); // 298 x 160, white = transparent
QImage highScoreBackground(); // 320 x 372

} // namespace kalvon::themegen
