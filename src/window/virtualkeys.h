#pragma once
// Qt key events as the Windows virtual-key codes the key bindings are stored in (kalvon.ini
// keeps "p1left=37"). One table: letters, digits whatever Shift does to them, the keypad with
// and without NumLock, F-keys, arrows, editing keys, OEM punctuation and the modifiers alone.
// Where the platform gives evdev scan codes (xcb, wayland), the top-row digit and OEM keys are
// taken from the key's position, as Windows does; otherwise from a US layout's symbols.

#include "game/fieldkeyboard.h"

#include <QEvent>
#include <Qt>

class QKeyEvent;

namespace kalvon {

// The virtual-key code of a Qt key; 0 for a key that has none. `scanCode` is the event's native
// scan code when it is an evdev code plus 8 (X11 and Wayland keycodes), else 0.
int virtualKeyCode(int qtKey, Qt::KeyboardModifiers modifiers, quint32 scanCode = 0);
int virtualKeyCode(const QKeyEvent& event);

// How a key event reaches the field's handlers.
enum class KeyEventUse { KeyDown, KeyUp, Ignore };

// X11 auto-repeat sends release and press pairs: the releases are ignored, so a held key stays
// held and repeats at the options' key-repeat delay; auto-repeat presses of F2 and F3 are
// ignored, so holding them does not toggle the game. Keys without a code are ignored.
KeyEventUse keyEventUse(QEvent::Type type, bool autoRepeat, int virtualKey);

} // namespace kalvon
