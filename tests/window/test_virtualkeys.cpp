// Qt keys to Windows virtual-key codes, and which key events reach the field's handlers.

#include "window/virtualkeys.h"

#include <gtest/gtest.h>

using namespace kalvon;

TEST(VirtualKeys, TableOfKeys)
{
    struct Case {
        const char* what;
        int qtKey;
        Qt::KeyboardModifiers modifiers;
        quint32 scanCode;
        int vk;
    };
    const Qt::KeyboardModifiers none = Qt::NoModifier;
    const Qt::KeyboardModifiers shift = Qt::ShiftModifier;
    const Qt::KeyboardModifiers keypad = Qt::KeypadModifier;
    const Case cases[] = {
        { "letter", Qt::Key_A, none, 0, 65 },
        { "letter with shift", Qt::Key_Z, shift, 0, 90 },
        { "digit", Qt::Key_7, none, 0, 55 },
        { "shifted 1", Qt::Key_Exclam, shift, 0, 49 },
        { "shifted 0", Qt::Key_ParenRight, shift, 0, 48 },
        { "shifted 8", Qt::Key_Asterisk, shift, 0, 56 },
        { "keypad 0 with NumLock", Qt::Key_0, keypad, 0, 96 },
        { "keypad 9 with NumLock", Qt::Key_9, keypad, 0, 105 },
        { "keypad decimal point", Qt::Key_Period, keypad, 0, 110 },
        { "keypad *", Qt::Key_Asterisk, keypad, 0, 106 },
        { "keypad +", Qt::Key_Plus, keypad, 0, 107 },
        { "keypad -", Qt::Key_Minus, keypad, 0, 109 },
        { "keypad /", Qt::Key_Slash, keypad, 0, 111 },
        { "keypad Enter", Qt::Key_Enter, keypad, 0, 13 },
        { "keypad 8 without NumLock", Qt::Key_Up, keypad, 0, 38 },
        { "keypad 5 without NumLock", Qt::Key_Clear, keypad, 0, 12 },
        { "keypad 0 without NumLock", Qt::Key_Insert, keypad, 0, 45 },
        { "keypad . without NumLock", Qt::Key_Delete, keypad, 0, 46 },
        { "F1", Qt::Key_F1, none, 0, 112 },
        { "F12", Qt::Key_F12, none, 0, 123 },
        { "left arrow", Qt::Key_Left, none, 0, 37 },
        { "down arrow", Qt::Key_Down, none, 0, 40 },
        { "Page Up", Qt::Key_PageUp, none, 0, 33 },
        { "Home", Qt::Key_Home, none, 0, 36 },
        { "Insert", Qt::Key_Insert, none, 0, 45 },
        { "Backspace", Qt::Key_Backspace, none, 0, 8 },
        { "Tab", Qt::Key_Tab, none, 0, 9 },
        { "Shift+Tab", Qt::Key_Backtab, shift, 0, 9 },
        { "Return", Qt::Key_Return, none, 0, 13 },
        { "Escape", Qt::Key_Escape, none, 0, 27 },
        { "Space", Qt::Key_Space, none, 0, 32 },
        { "Shift alone", Qt::Key_Shift, shift, 0, 16 },
        { "Control alone", Qt::Key_Control, Qt::ControlModifier, 0, 17 },
        { "Alt alone", Qt::Key_Alt, Qt::AltModifier, 0, 18 },
        { ";", Qt::Key_Semicolon, none, 0, 186 },
        { ":", Qt::Key_Colon, shift, 0, 186 },
        { "=", Qt::Key_Equal, none, 0, 187 },
        { "+ off the keypad", Qt::Key_Plus, shift, 0, 187 },
        { ",", Qt::Key_Comma, none, 0, 188 },
        { "- off the keypad", Qt::Key_Minus, none, 0, 189 },
        { "_", Qt::Key_Underscore, shift, 0, 189 },
        { ". off the keypad", Qt::Key_Period, none, 0, 190 },
        { "/ off the keypad", Qt::Key_Slash, none, 0, 191 },
        { "?", Qt::Key_Question, shift, 0, 191 },
        { "`", Qt::Key_QuoteLeft, none, 0, 192 },
        { "[", Qt::Key_BracketLeft, none, 0, 219 },
        { "\\", Qt::Key_Backslash, none, 0, 220 },
        { "}", Qt::Key_BraceRight, shift, 0, 221 },
        { "'", Qt::Key_Apostrophe, none, 0, 222 },
        { "\"", Qt::Key_QuoteDbl, shift, 0, 222 },
        // With scan codes the key's position decides, as on a French keyboard's top row.
        { "top-row 1 key giving &", Qt::Key_Ampersand, none, 10, 49 },
        { "top-row 2 key giving eacute", Qt::Key_Eacute, none, 11, 50 },
        { "key right of 0 by position", Qt::Key_ParenRight, none, 20, 189 },
        { "keypad digit keeps its keypad code", Qt::Key_1, keypad, 87, 97 },
        { "a key without a code", Qt::Key_Eacute, none, 0, 0 },
        { "unknown", Qt::Key_unknown, none, 0, 0 },
    };
    for (const Case& c : cases)
        EXPECT_EQ(virtualKeyCode(c.qtKey, c.modifiers, c.scanCode), c.vk) << c.what;
}

TEST(VirtualKeys, AutoRepeatRule)
{
    struct Case {
        const char* what;
        QEvent::Type type;
        bool autoRepeat;
        int vk;
        KeyEventUse use;
    };
    const Case cases[] = {
        { "press", QEvent::KeyPress, false, 37, KeyEventUse::KeyDown },
        { "release", QEvent::KeyRelease, false, 37, KeyEventUse::KeyUp },
        { "auto-repeat press only sets the flag again", QEvent::KeyPress, true, 37, KeyEventUse::KeyDown },
        { "auto-repeat release is ignored", QEvent::KeyRelease, true, 37, KeyEventUse::Ignore },
        { "F2 pressed", QEvent::KeyPress, false, 113, KeyEventUse::KeyDown },
        { "F2 auto-repeat", QEvent::KeyPress, true, 113, KeyEventUse::Ignore },
        { "F3 auto-repeat", QEvent::KeyPress, true, 114, KeyEventUse::Ignore },
        { "F1 auto-repeat", QEvent::KeyPress, true, 112, KeyEventUse::KeyDown },
        { "key without a code", QEvent::KeyPress, false, 0, KeyEventUse::Ignore },
    };
    for (const Case& c : cases)
        EXPECT_EQ(keyEventUse(c.type, c.autoRepeat, c.vk), c.use) << c.what;
}
