#include "platform/windowutils.h"

#include <QCursor>
#include <QEvent>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QObject>
#include <QPointer>
#include <QWindow>

namespace kalvon {

namespace {

void setStayOnTop(QWindow* window, bool onTop)
{
    if (!window)
        return;
    if (window->flags().testFlag(Qt::WindowStaysOnTopHint) == onTop)
        return;
    window->setFlag(Qt::WindowStaysOnTopHint, onTop);
}

// Moves a window with the pointer until the mouse button is released, for desktops whose
// window manager cannot start a move for us.
class ManualDrag final : public QObject {
public:
    explicit ManualDrag(QWindow* window)
        : QObject(window)
        , m_window(window)
        , m_offset(QCursor::pos() - window->position())
    {
        window->installEventFilter(this);
        window->setMouseGrabEnabled(true);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched != m_window)
            return false;
        if (event->type() == QEvent::MouseMove) {
            m_window->setPosition(QCursor::pos() - m_offset);
            return true;
        }
        if (event->type() == QEvent::MouseButtonRelease) {
            m_window->setMouseGrabEnabled(false);
            m_window->removeEventFilter(this);
            deleteLater();
            return true;
        }
        return false;
    }

private:
    QPointer<QWindow> m_window;
    QPoint m_offset;
};

} // namespace

void ClearTopmost(QWindow* window)
{
    setStayOnTop(window, false);
}

void ApplyStayOnTop(QWindow* window, int stayOnTopOption)
{
    setStayOnTop(window, stayOnTopOption == 1);
}

void DragForm(QWindow* window)
{
    if (!window)
        return;
    if (window->startSystemMove())
        return;
    if (QGuiApplication::mouseButtons() != Qt::NoButton)
        new ManualDrag(window);
}

} // namespace kalvon
