#include "window/pictureview.h"

#include "platform/surface.h"

#include <QMouseEvent>
#include <QPainter>

namespace kalvon {

HitArea::HitArea(QWidget* parent)
    : QWidget(parent)
{
    setMouseTracking(true);
    setFocusPolicy(Qt::NoFocus);
}

void HitArea::mousePressEvent(QMouseEvent* event)
{
    m_pressedInside = true;
    emit pressed(event->button(), event->modifiers());
}

void HitArea::mouseReleaseEvent(QMouseEvent* event)
{
    const bool click = m_pressedInside && rect().contains(event->position().toPoint());
    m_pressedInside = false;
    if (click && event->button() == Qt::LeftButton)
        emit clicked();
}

void HitArea::mouseMoveEvent(QMouseEvent*)
{
    emit mouseMoved();
}

void HitArea::leaveEvent(QEvent*)
{
    emit pointerLeft();
}

PictureView::PictureView(QWidget* parent)
    : HitArea(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PictureView::setSurface(const Surface* surface)
{
    m_surface = surface;
    update();
}

void PictureView::refreshNow()
{
    if (isVisible())
        repaint();
}

void PictureView::showBox(PictureBox& box)
{
    box.setViewer(this);
    setSurface(&box.canvas());
}

void PictureView::showPicture(const PictureBox& box)
{
    if (m_surface != &box.canvas())
        m_surface = &box.canvas();
    update();
}

void PictureView::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    const QRect area = event->rect();
    if (!m_surface || m_surface->isNull()) {
        painter.fillRect(area, Qt::black);
        return;
    }
    painter.drawImage(area.topLeft(), m_surface->image(), area);
    // Black where the widget reaches past the surface.
    const QRegion rest = QRegion(area) - QRegion(0, 0, m_surface->width(), m_surface->height());
    for (const QRect& part : rest)
        painter.fillRect(part, Qt::black);
}

} // namespace kalvon
