#pragma once
// Page 6, "Sounds/Music": the eleven sounds with Browse and a play button each, and the music
// with Browse and the music tryout.

#include <QWidget>

namespace kalvon::editor {

struct PageContext;

class SoundsPage : public QWidget {
public:
    SoundsPage(PageContext& context, QWidget* parent);
};

} // namespace kalvon::editor
