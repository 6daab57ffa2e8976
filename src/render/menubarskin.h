#pragma once
// The menu bar's button tiles and the drop-down menus' row highlights, drawn from the theme's
// tile sheet (ifacemisc) and menu sheet (ifacemenu). Every button has three tiles stacked 19
// pixels apart: normal, hover, current page (for the Help button: its menu is open).

#include "platform/surface.h"

#include <array>

namespace kalvon {

struct ThemeImages;

// The buttons, numbered as the hover state counts them (2 is not used).
enum class MenuBarButton {
    File = 1,
    Options = 3,
    Help = 4,
    Fields = 5,
    Server = 6,
    Connect = 7,
    Theme = 8,
    Chat = 9
};
enum class ButtonTile { Normal, Hover, Current };

inline constexpr int kMenuBarButtonHeight = 19;
inline constexpr int kMenuBarButtonWidth = 72;
inline constexpr int kConnectButtonWidth = 140;

int menuBarButtonWidth(MenuBarButton button);

// The button's tile into its picture at (0, 0), a plain copy. The connect button shows its
// "connect" face while `offline`, else its "disconnect" face. The File button has no current
// tile: nothing is drawn for it. A null tile sheet draws nothing.
void drawMenuBarButton(
    Surface& picture, const Surface* tileSheet, MenuBarButton button, ButtonTile tile, bool offline);

// Rows of the menus: their y inside the menu; every row is 20 high and as wide as the menu.
inline constexpr std::array<int, 5> kFileMenuRowY{ 7, 35, 67, 97, 139 };
inline constexpr std::array<int, 3> kGameModeMenuRowY{ 0, 27, 56 };
inline constexpr std::array<int, 2> kHelpMenuRowY{ 5, 48 };
inline constexpr int kMenuRowHeight = 20;

// What the File menu shows: the stop overlay on row 0 while a game is started, the resume
// overlay on row 1 while paused, and the highlight of the hovered row (-1 none).
struct FileMenuLook {
    bool started = false;
    bool paused = false;
    int hover = -1;
};

// The menus, redrawn whole: the background from the tile sheet, then the rows' images from the
// menu sheet, through its mask when the theme's menu is transparent (white shows the menu).
void DrawFileMenu(Surface& menu, const ThemeImages& images, bool menuTransparent, const FileMenuLook& look);
// `currentRow` is the game mode - 1; the hovered row's highlight is drawn unless it is the current
// row or -1.
void DrawGameModeMenu(
    Surface& menu, const ThemeImages& images, bool menuTransparent, int currentRow, int hoverRow);
void DrawHelpMenu(Surface& menu, const ThemeImages& images, bool menuTransparent, int hoverRow);

} // namespace kalvon
