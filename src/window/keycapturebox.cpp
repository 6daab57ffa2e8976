#include "window/keycapturebox.h"

#include "window/virtualkeys.h"

#include <QKeyEvent>

namespace kalvon {

KeyCaptureBox::KeyCaptureBox(QWidget* parent)
    : QLineEdit(parent)
{
    // An input method would take letter keys as text before they arrive as key presses.
    setAttribute(Qt::WA_InputMethodEnabled, false);
}

bool KeyCaptureBox::event(QEvent* event)
{
    switch (event->type()) {
    case QEvent::ShortcutOverride:
        // Every key comes here as a key press, none as a shortcut.
        event->accept();
        return true;
    case QEvent::KeyPress: {
        const int code = virtualKeyCode(*static_cast<QKeyEvent*>(event));
        if (code != 0)
            emit keyDown(code);
        return true;
    }
    case QEvent::KeyRelease: return true;
    default: return QLineEdit::event(event);
    }
}

void KeyCaptureBox::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    emit focusLost();
}

} // namespace kalvon
