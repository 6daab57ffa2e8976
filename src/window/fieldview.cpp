#include "window/fieldview.h"

#include <QKeyEvent>

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

void FieldView::keyPressEvent(QKeyEvent* event)
{
    emit keyPressed(event);
    event->accept();
}

void FieldView::keyReleaseEvent(QKeyEvent* event)
{
    emit keyReleased(event);
    event->accept();
}

void FieldView::focusInEvent(QFocusEvent* event)
{
    PictureView::focusInEvent(event);
    emit focusGained();
}

void FieldView::focusOutEvent(QFocusEvent* event)
{
    PictureView::focusOutEvent(event);
    emit focusLost();
}

} // namespace kalvon
