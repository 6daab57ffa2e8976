#include "window/menus/helpmenu.h"

#include "render/menubarskin.h"

namespace kalvon {

HelpMenu::HelpMenu(QWidget* parent, Surface& picture, const ThemeImages& images, const Themes& themes)
    : DropDownMenu(parent, picture, images, themes, QStringLiteral("HelpMenu"), "HelpMenuMarker",
        menuRows(kHelpMenuRowY, 104))
{
    connect(this, &DropDownMenu::rowHovered, this, &HelpMenu::DrawHelpMenu);
}

void HelpMenu::DrawHelpMenu(int hoverRow)
{
    m_hover = hoverRow;
    kalvon::DrawHelpMenu(picture(), images(), menuTransparent(), hoverRow);
    update();
}

} // namespace kalvon
