#pragma once
// Page 4, "Blocks": the game blocks, the next-block window and the special window, one shown at
// a time, and their previews.

#include <QWidget>

namespace kalvon::editor {

struct PageContext;

class BlocksPage : public QWidget {
public:
    BlocksPage(PageContext& context, QWidget* parent);
};

} // namespace kalvon::editor
