#pragma once
// A drop-down menu of the skinned menu bar: a child picture raised over the page that shows its
// picture of the skin, with a transparent hit area over each row that reports the pointer.

#include "window/pictureview.h"

#include <vector>

namespace kalvon {

struct ThemeImages;
struct Themes;

class DropDownMenu : public PictureView {
    Q_OBJECT
public:
    // The menu shows `picture`, its picture of the skin, and is named `name`; its hit areas are
    // `markerName(i)` over `markers`, in menu coordinates. It starts hidden. Its rows are drawn
    // from the theme's sheets in `images`, through the mask when the current theme's menu is
    // transparent.
    DropDownMenu(QWidget* parent, Surface& picture, const ThemeImages& images, const Themes& themes,
        const QString& name, const char* markerName, const std::vector<QRect>& markers);

signals:
    // The pointer moved over, or clicked, hit area `row`.
    void rowHovered(int row);
    void rowClicked(int row);

protected:
    Surface& picture() { return m_picture; }
    const ThemeImages& images() const { return m_images; }
    bool menuTransparent() const;

private:
    Surface& m_picture;
    const ThemeImages& m_images;
    const Themes& m_themes;
};

// Hit areas over rows 20 high and `width` wide, at `rowY`.
template <class Rows> std::vector<QRect> menuRows(const Rows& rowY, int width)
{
    std::vector<QRect> rows;
    for (int y : rowY)
        rows.emplace_back(0, y, width, 20);
    return rows;
}

} // namespace kalvon
