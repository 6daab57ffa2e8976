#pragma once
// The File menu (filemenu): start or stop, pause or resume, the game-mode submenu, high scores
// and exit. Its hit areas menumarker(0..4) lie over the rows; menumarker(5) and (6) over the
// gaps above rows 0 and 1, which act as those rows.

#include "render/menubarskin.h"
#include "window/menus/dropdownmenu.h"

namespace kalvon {

class FileMenu final : public DropDownMenu {
    Q_OBJECT
public:
    FileMenu(QWidget* parent, Surface& picture, const ThemeImages& images, const Themes& themes);

    // Redrawn for the game's flags with the hovered row (-1 none).
    void DrawFileMenu(const FileMenuLook& look);
    // The hovered row last drawn; the first row until the pointer has been on the menu.
    int hoverRow() const { return m_hover; }

private:
    int m_hover = 0;
};

} // namespace kalvon
