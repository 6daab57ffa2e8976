#include "window/menus/dropdownmenu.h"

#include "platform/surface.h"
#include "render/themerecord.h"
#include "window/pages/page.h"

namespace kalvon {

DropDownMenu::DropDownMenu(QWidget* parent, Surface& picture, const ThemeImages& images, const Themes& themes,
    const QString& name, const char* markerName, const std::vector<QRect>& markers)
    : PictureView(parent)
    , m_picture(picture)
    , m_images(images)
    , m_themes(themes)
{
    setObjectName(name);
    resize(picture.width(), picture.height());
    setSurface(&picture);
    for (int i = 0; i < int(markers.size()); ++i) {
        auto* marker = new HitArea(this);
        marker->setObjectName(controlName(markerName, i));
        marker->setGeometry(markers[size_t(i)]);
        connect(marker, &HitArea::mouseMoved, this, [this, i] { emit rowHovered(i); });
        connect(marker, &HitArea::clicked, this, [this, i] { emit rowClicked(i); });
    }
    hide();
}

bool DropDownMenu::menuTransparent() const
{
    return m_themes.CurrentTheme.ifacemenutransparent;
}

} // namespace kalvon
