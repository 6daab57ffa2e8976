#pragma once
// Page 1, "General": name, author, version, type, resource archive, description with its
// generator, and the type-0 skin.

#include <QWidget>

namespace kalvon::editor {

struct PageContext;

class GeneralPage : public QWidget {
public:
    GeneralPage(PageContext& context, QWidget* parent);
};

} // namespace kalvon::editor
