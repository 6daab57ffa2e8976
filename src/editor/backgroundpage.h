#pragma once
// Page 3, "Background": the game background and the internet background, one shown at a time,
// and their preview.

#include <QWidget>

namespace kalvon::editor {

struct PageContext;

class BackgroundPage : public QWidget {
public:
    BackgroundPage(PageContext& context, QWidget* parent);
};

} // namespace kalvon::editor
