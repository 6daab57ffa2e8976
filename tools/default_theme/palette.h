#pragma once
// The default theme's palette: a dark steel-blue interface with a cyan accent (player 1, the
// active element) and an amber accent (player 2, warnings), light text, and six block colours.

#include <QColor>

namespace kalvon::themegen::palette {

inline const QColor kDeep{ 10, 13, 21 };
inline const QColor kBody{ 16, 20, 32 };
inline const QColor kPanel{ 24, 30, 46 };
inline const QColor kPanelHigh{ 34, 42, 63 };
inline const QColor kEdgeLight{ 58, 70, 100 };
inline const QColor kEdgeDark{ 5, 7, 12 };
inline const QColor kWell{ 8, 11, 19 };
inline const QColor kCyan{ 58, 206, 255 };
inline const QColor kCyanDeep{ 18, 112, 160 };
inline const QColor kAmber{ 255, 178, 62 };
inline const QColor kAmberDeep{ 168, 98, 18 };
inline const QColor kText{ 224, 231, 243 };
inline const QColor kTextDim{ 138, 151, 178 };
inline const QColor kTextDark{ 12, 18, 30 };

// Block colours 0..5: line piece, T, Z and L2, L, S, square.
inline const QColor kBlock[6] = {
    { 40, 196, 240 },
    { 176, 92, 236 },
    { 236, 64, 72 },
    { 250, 148, 38 },
    { 76, 208, 92 },
    { 246, 212, 46 },
};

} // namespace kalvon::themegen::palette
