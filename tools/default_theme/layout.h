#pragma once
// Window geometry the art is drawn for. Every value here is stated in docs/layout.md, which the
// main window follows; keep the two in step. Positions are in body coordinates (the window
// body, which starts 20 pixels below the window's top) unless a comment says otherwise.

#include <QRect>

namespace kalvon::themegen::layout {

inline constexpr int kWindowWidth = 640;
inline constexpr int kWindowHeight = 520;
inline constexpr int kTitleBarHeight = 20;

// Title bar, window coordinates.
inline constexpr QRect kIcon{ 4, 2, 16, 16 };
inline constexpr QRect kCaption{ 24, 3, 360, 14 };
inline constexpr QRect kMinimize{ 596, 2, 18, 16 };
inline constexpr QRect kExit{ 618, 2, 18, 16 };

// Menu bar buttons (72 x 19, connect 140 x 19) on one row.
inline constexpr int kMenuBarTop = 5;
inline constexpr int kButtonWidth = 72;
inline constexpr int kButtonHeight = 19;
inline constexpr int kConnectWidth = 140;

// The page area every page background fills (624 x 466 at body (8, 28)).
inline constexpr QRect kPage{ 8, 28, 624, 466 };

// Fields page.
inline constexpr QRect kPanel1{ 14, 34, 99, 185 };
inline constexpr QRect kPanel2{ 527, 34, 99, 185 };
inline constexpr QRect kNextInPanel{ 11, 21, 77, 77 }; // relative to a side panel
inline constexpr QRect kNameInPanel{ 4, 4, 91, 14 }; // relative to a side panel
inline constexpr int kStatsTopInPanel = 103; // five rows of 13: level .. lines per minute
inline constexpr int kStatsRowHeight = 13;
inline constexpr int kScoreTopInPanel = 168;
inline constexpr QRect kField1{ 119, 34, 192, 352 };
inline constexpr QRect kLed1{ 313, 34, 4, 352 };
inline constexpr QRect kLed2{ 323, 34, 4, 352 };
inline constexpr QRect kField2{ 329, 34, 192, 352 };
inline constexpr QRect kSpecials1{ 135, 392, 160, 16 };
inline constexpr QRect kSpecials2{ 345, 392, 160, 16 };
inline constexpr QRect kSpecLabel1{ 119, 411, 192, 14 };
inline constexpr QRect kSpecLabel2{ 329, 411, 192, 14 };
inline constexpr QRect kSpecialsLog{ 14, 242, 99, 246 };
inline constexpr QRect kSpecialsLogHeading{ 14, 226, 99, 14 };
inline constexpr QRect kLegend{ 527, 446, 99, 42 }; // key legend, below the internet backdrop

// Internet play: the backdrop and the five opponent boards with their name labels.
inline constexpr QRect kInetBackdrop{ 276, 30, 355, 413 };
inline constexpr int kBoardWidth = 96;
inline constexpr int kBoardHeight = 176;
inline constexpr QPoint kBoards[5] = { { 322, 52 }, { 427, 52 }, { 532, 52 }, { 322, 258 }, { 427, 258 } };
inline constexpr int kBoardNameOffset = 16; // name label 96 x 14, 16 pixels above its board
inline constexpr QPoint kInetEmblem{ 532, 258 }; // the free sixth place of the grid

// High-score window (its own pixel coordinates).
inline constexpr int kHighScoreWidth = 320;
inline constexpr int kHighScoreHeight = 372;
inline constexpr int kHighScoreTitleHeight = 24;
inline constexpr int kHighScoreFirstRow = 34;
inline constexpr int kHighScoreRowPitch = 20;

// Loading window images.
inline constexpr int kSplashWidth = 433;
inline constexpr int kSplashHeight = 200;
inline constexpr int kLoadingBarWidth = 433;
inline constexpr int kLoadingBarHeight = 17;

} // namespace kalvon::themegen::layout
