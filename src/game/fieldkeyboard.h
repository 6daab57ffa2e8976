#pragma once
// Keyboard input on the field: key codes (Windows virtual keys) go through both players' key
// bindings into held-key flags, which the game tick turns into moves. F2 and F3 run the File
// menu's start/stop and pause/resume items, F1 opens help, the talk keys open the talk box,
// the special-target keys of internet play and the discard key act at once. Losing the focus
// releases every held key. The window's FieldKeyFilter feeds it Qt's key and focus events.

namespace kalvon {

// The Windows virtual-key codes the field's own keys have.
inline constexpr int kVkF1 = 112;
inline constexpr int kVkF2 = 113;
inline constexpr int kVkF3 = 114;
inline constexpr int kVkEscape = 27;

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

    void keyPressed(int keyCode);
    void keyReleased(int keyCode);
    // Player 1's field or the main window lost the focus: all sixteen flags are cleared, the
    // repeat times stay.
    void focusLost();

    // The talk box was opened by a talk key; Escape closes it.
    bool TalkActive() const { return m_talkActive; }
    // The talk box sent its line or was left with Escape: closed, emptied and hidden, and the
    // keyboard back on player 1's field.
    void closeTalkLine();

private:
    void internetKeys(int keyCode);

    FieldKeyboardParts m;
    bool m_talkActive = false;
};

} // namespace kalvon
