#include "window/menus/helpmenu.h"

#include "render/menubarskin.h"

namespace kalvon {

HelpMenu::HelpMenu(QWidget* parent, Surface& picture, const ThemeImages& images, const Themes& themes)
    : DropDownMenu(parent, picture, images, themes, QStringLiteral("HelpMenu"), "HelpMenuMarker",
        menuRows(kHelpMenuRowY, 104))
{
}

void HelpMenu::DrawHelpMenu(int hoverRow)
{
    kalvon::DrawHelpMenu(picture(), images(), menuTransparent(), hoverRow);
    update();
}

} // namespace kalvon
