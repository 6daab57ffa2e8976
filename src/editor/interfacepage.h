#pragma once
// Page 2, "IFace": the ten interface pictures, each with Browse and Preview, and the preview.

#include <QWidget>

namespace kalvon::editor {

struct PageContext;

class InterfacePage : public QWidget {
public:
    InterfacePage(PageContext& context, QWidget* parent);
};

} // namespace kalvon::editor
