#pragma once
// Pictures outside the theme: the program and tray icon, the loading window's splash and
// progress bar, the about picture, and the theme editor's splash and tab icons.

#include <QImage>
#include <QString>

namespace kalvon::themegen {

QImage programIcon(int size); // square, with transparency; 16, 22, 32 and 48 are shipped
QImage splashImage(const QString& subtitle); // 433 x 200
QImage loadingBar(); // 433 x 17, the full progress bar
QImage aboutImage(); // 96 x 96
// Editor tab icons, 16 x 16 with transparency: 0 general, 1 interface, 2 background,
// 3 blocks, 4 miscellaneous graphics, 5 sounds and music.
inline constexpr int kEditorTabs = 6;
QImage editorTabIcon(int tab);

} // namespace kalvon::themegen
