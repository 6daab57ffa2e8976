#include "window/fieldview.h"

namespace kalvon {

FieldView::FieldView(QWidget* parent)
    : PictureView(parent)
{
    setFocusPolicy(Qt::StrongFocus);
}

bool FieldView::focusNextPrevChild(bool)
{
    return false;
}

void FieldView::focusInEvent(QFocusEvent* event)
{
    PictureView::focusInEvent(event);
    emit focusGained();
}

} // namespace kalvon
