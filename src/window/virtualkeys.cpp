#include "window/virtualkeys.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <utility>

namespace kalvon {

namespace {

struct KeyCode {
    int qtKey;
    int vk;
};

// Keys off the keypad. Shifted symbols of a US layout give the code of their unshifted key.
constexpr KeyCode kMainKeys[] = {
    // editing and control keys
    { Qt::Key_Backspace, 8 },
    { Qt::Key_Tab, 9 },
    { Qt::Key_Backtab, 9 },
    { Qt::Key_Clear, 12 },
    { Qt::Key_Return, 13 },
    { Qt::Key_Enter, 13 },
    { Qt::Key_Pause, 19 },
    { Qt::Key_CapsLock, 20 },
    { Qt::Key_Escape, 27 },
    { Qt::Key_Space, 32 },
    { Qt::Key_PageUp, 33 },
    { Qt::Key_PageDown, 34 },
    { Qt::Key_End, 35 },
    { Qt::Key_Home, 36 },
    { Qt::Key_Left, 37 },
    { Qt::Key_Up, 38 },
    { Qt::Key_Right, 39 },
    { Qt::Key_Down, 40 },
    { Qt::Key_Print, 44 },
    { Qt::Key_Insert, 45 },
    { Qt::Key_Delete, 46 },
    { Qt::Key_Help, 47 },
    { Qt::Key_Menu, 93 },
    { Qt::Key_NumLock, 144 },
    { Qt::Key_ScrollLock, 145 },
    // modifiers alone
    { Qt::Key_Shift, 16 },
    { Qt::Key_Control, 17 },
    { Qt::Key_Alt, 18 },
    { Qt::Key_AltGr, 18 },
    { Qt::Key_Meta, 91 },
    { Qt::Key_Super_L, 91 },
    { Qt::Key_Super_R, 92 },
    // shifted digits
    { Qt::Key_ParenRight, '0' },
    { Qt::Key_Exclam, '1' },
    { Qt::Key_At, '2' },
    { Qt::Key_NumberSign, '3' },
    { Qt::Key_Dollar, '4' },
    { Qt::Key_Percent, '5' },
    { Qt::Key_AsciiCircum, '6' },
    { Qt::Key_Ampersand, '7' },
    { Qt::Key_Asterisk, '8' },
    { Qt::Key_ParenLeft, '9' },
    // OEM punctuation, plain and shifted
    { Qt::Key_Semicolon, 186 },
    { Qt::Key_Colon, 186 },
    { Qt::Key_Equal, 187 },
    { Qt::Key_Plus, 187 },
    { Qt::Key_Comma, 188 },
    { Qt::Key_Less, 188 },
    { Qt::Key_Minus, 189 },
    { Qt::Key_Underscore, 189 },
    { Qt::Key_Period, 190 },
    { Qt::Key_Greater, 190 },
    { Qt::Key_Slash, 191 },
    { Qt::Key_Question, 191 },
    { Qt::Key_QuoteLeft, 192 },
    { Qt::Key_AsciiTilde, 192 },
    { Qt::Key_BracketLeft, 219 },
    { Qt::Key_BraceLeft, 219 },
    { Qt::Key_Backslash, 220 },
    { Qt::Key_Bar, 220 },
    { Qt::Key_BracketRight, 221 },
    { Qt::Key_BraceRight, 221 },
    { Qt::Key_Apostrophe, 222 },
    { Qt::Key_QuoteDbl, 222 },
};

// Keypad keys with NumLock on (without it they arrive as the editing keys above).
constexpr KeyCode kKeypadKeys[] = {
    { Qt::Key_Asterisk, 106 },
    { Qt::Key_Plus, 107 },
    { Qt::Key_Minus, 109 },
    { Qt::Key_Period, 110 },
    { Qt::Key_Comma, 110 },
    { Qt::Key_Slash, 111 },
    { Qt::Key_Enter, 13 },
};

// Evdev keycodes + 8 of the keys whose symbol depends on the layout: the top-row digits and
// the OEM keys of a 104-key keyboard.
constexpr std::pair<quint32, int> kScanCodes[] = {
    { 10, '1' },
    { 11, '2' },
    { 12, '3' },
    { 13, '4' },
    { 14, '5' },
    { 15, '6' },
    { 16, '7' },
    { 17, '8' },
    { 18, '9' },
    { 19, '0' },
    { 20, 189 },
    { 21, 187 },
    { 34, 219 },
    { 35, 221 },
    { 47, 186 },
    { 48, 222 },
    { 49, 192 },
    { 51, 220 },
    { 59, 188 },
    { 60, 190 },
    { 61, 191 },
};

template <size_t N> int lookUp(const KeyCode (&table)[N], int qtKey)
{
    for (const KeyCode& entry : table)
        if (entry.qtKey == qtKey)
            return entry.vk;
    return 0;
}

} // namespace

int virtualKeyCode(int qtKey, Qt::KeyboardModifiers modifiers, quint32 scanCode)
{
    if (modifiers & Qt::KeypadModifier) {
        if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)
            return 96 + (qtKey - Qt::Key_0);
        if (const int vk = lookUp(kKeypadKeys, qtKey))
            return vk;
        return lookUp(kMainKeys, qtKey);
    }
    for (const auto& [code, vk] : kScanCodes)
        if (code == scanCode)
            return vk;
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z)
        return 'A' + (qtKey - Qt::Key_A);
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)
        return '0' + (qtKey - Qt::Key_0);
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24)
        return kVkF1 + (qtKey - Qt::Key_F1);
    return lookUp(kMainKeys, qtKey);
}

int virtualKeyCode(const QKeyEvent& event)
{
    // Only these platforms report evdev-based keycodes; elsewhere the symbol decides.
    const QString platform = QGuiApplication::platformName();
    const bool evdev = platform == QLatin1String("xcb") || platform.startsWith(QLatin1String("wayland"));
    return virtualKeyCode(event.key(), event.modifiers(), evdev ? event.nativeScanCode() : 0);
}

KeyEventUse keyEventUse(QEvent::Type type, bool autoRepeat, int virtualKey)
{
    if (virtualKey == 0)
        return KeyEventUse::Ignore;
    if (type == QEvent::KeyRelease)
        return autoRepeat ? KeyEventUse::Ignore : KeyEventUse::KeyUp;
    if (type != QEvent::KeyPress)
        return KeyEventUse::Ignore;
    if (autoRepeat && (virtualKey == kVkF2 || virtualKey == kVkF3))
        return KeyEventUse::Ignore;
    return KeyEventUse::KeyDown;
}

} // namespace kalvon
