#include "window/fieldkeyfilter.h"

#include "game/fieldkeyboard.h"
#include "window/virtualkeys.h"

#include <QEvent>
#include <QKeyEvent>

namespace kalvon {

FieldKeyFilter::FieldKeyFilter(FieldKeyboard& keyboard, QObject* field, QObject* parent)
    : QObject(parent)
    , m_keyboard(keyboard)
    , m_field(field)
{
}

bool FieldKeyFilter::eventFilter(QObject* watched, QEvent* event)
{
    const bool onField = watched == m_field;
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease: {
        if (!onField)
            break;
        const auto* key = static_cast<QKeyEvent*>(event);
        const int code = virtualKeyCode(*key);
        switch (keyEventUse(event->type(), key->isAutoRepeat(), code)) {
        case KeyEventUse::KeyDown: m_keyboard.keyPressed(code); break;
        case KeyEventUse::KeyUp: m_keyboard.keyReleased(code); break;
        case KeyEventUse::Ignore: break;
        }
        // Consumed, so Tab does not move the focus away from the field.
        return true;
    }
    case QEvent::FocusOut:
        if (onField)
            m_keyboard.focusLost();
        break;
    case QEvent::WindowDeactivate: m_keyboard.focusLost(); break;
    default: break;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace kalvon
