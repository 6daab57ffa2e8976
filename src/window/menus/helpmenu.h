#pragma once
// The Help menu (HelpMenu): the help and about rows under the hit areas HelpMenuMarker(0..1).
// The row last under the pointer is highlighted.

#include "window/menus/dropdownmenu.h"

namespace kalvon {

class HelpMenu final : public DropDownMenu {
    Q_OBJECT
public:
    HelpMenu(QWidget* parent, Surface& picture, const ThemeImages& images, const Themes& themes);

    // Redrawn with row `hoverRow` highlighted.
    void DrawHelpMenu(int hoverRow);
};

} // namespace kalvon
