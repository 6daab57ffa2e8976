#pragma once
// The skinned main window's own pictures, composed from the current theme's interface images at
// the positions of the window layout sheet: the title bar and the window body from the main
// interface picture, the three drop-down menus' backgrounds and the two side panels from the
// tile sheet, and the page backgrounds drawn into the body.

#include "engine/types.h"
#include "platform/picturefile.h"
#include "platform/surface.h"

#include <array>

namespace kalvon {

struct SheetLoading;
struct ThemeImages;

inline constexpr int kWindowWidth = 640;
inline constexpr int kWindowHeight = 520;
inline constexpr int kTitleBarHeight = 20;
// The window body lies below the title bar.
inline constexpr int kFormHeight = kWindowHeight - kTitleBarHeight;
// Page backgrounds are 624 x 466, drawn at (8, 28) of the body.
inline constexpr int kPageX = 8;
inline constexpr int kPageY = 28;
inline constexpr int kPageWidth = 624;
inline constexpr int kPageHeight = 466;
// The internet backdrop behind the opponents' boards, at (276, 30) of the body.
inline constexpr int kInternetBackdropX = 276;
inline constexpr int kInternetBackdropY = 30;
inline constexpr int kInternetBackdropWidth = 355;
inline constexpr int kInternetBackdropHeight = 413;
// The side panels that hold the players' next-piece windows.
inline constexpr int kSidePanelWidth = 99;
inline constexpr int kSidePanelHeight = 185;

struct WindowSkin {
    Surface picTitleBar{ kWindowWidth, kTitleBarHeight };
    Surface picForm{ kWindowWidth, kFormHeight };
    Surface HelpMenu{ 104, 80 };
    Surface GameModeSubMenu{ 104, 80 };
    Surface filemenu{ 149, 163 };
    // [0] player 1's panel, [1] player 2's.
    std::array<Surface, 2> sidePanels{ Surface(kSidePanelWidth, kSidePanelHeight),
        Surface(kSidePanelWidth, kSidePanelHeight) };
    // The main interface picture as last read: a theme whose picture cannot be
    // read keeps the previous one, so the previous skin stays in place.
    PictureBuffer picBuffer;
};

// DrawInterface without the label colours: reads the theme's main interface picture (theme
// folder & ifacemain) into skin.picBuffer and copies the title bar (644 x 21 from (0, 0)) and the
// body (640 x 503 from (0, 20)); builds the interface sheets (LoadInterfaceImages); then copies
// the menus' backgrounds and the side panels from the tile sheet. The caller colours its labels
// and shows the pictures.
void DrawInterface(WindowSkin& skin, SheetLoading& loading);

// The copies of DrawInterface, from pictures already in memory. A null tile sheet leaves the
// menus and panels as they were.
void composeWindowFrame(WindowSkin& skin, const Surface& mainPicture);
void composeMenusAndPanels(WindowSkin& skin, const Surface* tileSheet);

// A whole 624 x 466 page background into the body at (8, 28); a null page draws nothing.
void paintPageBackground(Surface& form, const Surface* page);
// The fields page's background for a game mode: the main interface picture's (8, 48) piece,
// and in internet play the backdrop over it at (276, 30).
void paintFieldsPageBackground(Surface& form, const ThemeImages& images, GameMode mode);

} // namespace kalvon
