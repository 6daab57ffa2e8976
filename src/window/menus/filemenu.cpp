#include "window/menus/filemenu.h"

namespace kalvon {

namespace {

std::vector<QRect> fileMenuMarkers()
{
    std::vector<QRect> markers = menuRows(kFileMenuRowY, 149);
    markers.insert(markers.end(), { { 0, 0, 149, 7 }, { 0, 27, 149, 8 } });
    return markers;
}

} // namespace

FileMenu::FileMenu(QWidget* parent, Surface& picture, const ThemeImages& images, const Themes& themes)
    : DropDownMenu(
        parent, picture, images, themes, QStringLiteral("filemenu"), "menumarker", fileMenuMarkers())
{
}

void FileMenu::DrawFileMenu(const FileMenuLook& look)
{
    m_hover = look.hover;
    kalvon::DrawFileMenu(picture(), images(), menuTransparent(), look);
    update();
}

} // namespace kalvon
