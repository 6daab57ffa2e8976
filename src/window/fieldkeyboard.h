#pragma once
// Keyboard input on the field: key codes (Windows virtual keys) go through both players' key
// bindings into held-key flags, which the game tick turns into moves. F2 and F3 run the File
// menu's start/stop and pause/resume items, F1 opens help, the talk keys open the talk box,
// the special-target keys of internet play and the discard key act at once. Losing the focus
// releases every held key. FieldKeyFilter feeds it Qt's key and focus events.

#include <QObject>

namespace kalvon {

class GameEngine;
class GameSession;
class GameWindow;
class InternetPlay;
struct HeldKeys;
struct Options;

struct FieldKeyboardParts {
    const Options& options;
    GameEngine& engine;
    HeldKeys& keys;
    GameSession& session;
    GameWindow& window;
    InternetPlay& internet;
};

class FieldKeyboard {
public:
    explicit FieldKeyboard(const FieldKeyboardParts& parts);

    void picField_KeyDown(int keyCode);
    void picField_KeyUp(int keyCode);
    // picField(1) or the main window lost the focus: all sixteen flags are cleared, the
    // repeat times stay.
    void LostFocus();

    // The talk box was opened by a talk key (the chat entry's handlers clear it on sending).
    bool TalkActive() const { return m_talkActive; }
    void setTalkActive(bool active) { m_talkActive = active; }

private:
    void internetKeys(int keyCode);

    FieldKeyboardParts m;
    bool m_talkActive = false;
};

// Installed on picField(1) and on the main window. The field's key presses and releases go to
// the keyboard through the virtual-key table and the auto-repeat rule and are consumed, Tab
// included; the field's focus loss and the window's deactivation release the held keys.
// Events of other objects pass untouched.
class FieldKeyFilter final : public QObject {
    Q_OBJECT
public:
    FieldKeyFilter(FieldKeyboard& keyboard, QObject* field, QObject* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    FieldKeyboard& m_keyboard;
    QObject* m_field;
};

} // namespace kalvon
