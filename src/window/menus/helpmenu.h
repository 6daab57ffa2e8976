#pragma once
// The Help menu (HelpMenu): the help and about rows under the hit areas HelpMenuMarker(0..1).
// The row under the pointer is highlighted; a row always is.

#include "window/menus/dropdownmenu.h"

namespace kalvon {

class HelpMenu final : public DropDownMenu {
    Q_OBJECT
public:
    HelpMenu(QWidget* parent, Surface& picture, const ThemeImages& images, const Themes& themes);

    // Redrawn with row `hoverRow` highlighted.
    void DrawHelpMenu(int hoverRow);
    int hoverRow() const { return m_hover; }

private:
    int m_hover = 0;
};

} // namespace kalvon
