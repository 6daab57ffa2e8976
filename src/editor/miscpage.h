#pragma once
// Page 5, "Misc. GFX": the explosion, the bomb, the theme colours and the miscellaneous images,
// one shown at a time, and their previews.

#include <QWidget>

namespace kalvon::editor {

struct PageContext;

class MiscPage : public QWidget {
public:
    MiscPage(PageContext& context, QWidget* parent);

private:
    void buildColors(PageContext& context);
    void buildMiscImages(PageContext& context);
};

} // namespace kalvon::editor
