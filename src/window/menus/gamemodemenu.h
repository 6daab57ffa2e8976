#pragma once
// The game-mode submenu (GameModeSubMenu) beside the File menu's game-mode row: one player, two
// players, internet, under the hit areas GMmenumarker(0..2). The current mode is marked.

#include "window/menus/dropdownmenu.h"

namespace kalvon {

class GameModeMenu final : public DropDownMenu {
    Q_OBJECT
public:
    GameModeMenu(QWidget* parent, Surface& picture, const ThemeImages& images, const Themes& themes);

    // Redrawn with the current mode's row (game mode - 1) marked and the hovered row (-1 none).
    void DrawGameModeMenu(int currentRow, int hoverRow);
};

} // namespace kalvon
