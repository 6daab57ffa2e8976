#include "window/menus/gamemodemenu.h"

#include "render/menubarskin.h"

namespace kalvon {

GameModeMenu::GameModeMenu(QWidget* parent, Surface& picture, const ThemeImages& images, const Themes& themes)
    : DropDownMenu(parent, picture, images, themes, QStringLiteral("GameModeSubMenu"), "GMmenumarker",
        menuRows(kGameModeMenuRowY, 104))
{
}

void GameModeMenu::DrawGameModeMenu(int currentRow, int hoverRow)
{
    kalvon::DrawGameModeMenu(picture(), images(), menuTransparent(), currentRow, hoverRow);
    update();
}

} // namespace kalvon
