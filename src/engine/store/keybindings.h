#pragma once
// The key bindings as the options page changes them: the names its binding buttons show, the
// buttons' capture codes and captions, and what a captured key, the swap of the two players'
// keys and the clearing of all keys do to the table (ControlSettings::keyBindings).
//
// Capture codes: 1..9 a local player's actions (rotate, left, right, down, drop, use on self,
// use on the enemy, rotate left, discard), 10 the revenge special, 11..16 the special on
// player 1..6, 17 talk, 18 team talk. The internet actions live in player 1's row.

#include "common/bytes.h"
#include "engine/store/options.h"

#include <optional>

namespace kalvon {

inline constexpr int16_t kKeyBackSpace = 8;
inline constexpr int kFirstInternetCapture = 10;
inline constexpr int kLastCapture = 18;

// The name a binding button shows for a Windows virtual-key code: letters, digits, keypad
// digits, F-keys, the editing and arrow keys, some punctuation and "[None]" for 9999. A code
// without a name (BackSpace, "=", Alt, ...) gives the empty text.
Bytes keyname(int keyCode);

// The action of a capture code; nothing outside 1..18.
std::optional<KeyAction> captureAction(int captureCode);
// The capture code of an action (the inverse of captureAction).
int captureCode(KeyAction action);
// What a binding button's caption starts with: "Rotate Right: ", "Use Special On Player 3: ".
Bytes keyButtonLabel(int captureCode);
// The whole caption: the label, then the bound key's name.
Bytes keyButtonCaption(int captureCode, int16_t keyCode);

// The capture in progress: a click on a binding button starts it, the next key ends it.
struct KeyCapture {
    int16_t KeyCaptureAction = 0; // the capture code the next key is for
    bool KeyCaptureActive = false;
    int16_t KeyCapturePlayer = 1; // the row for capture codes 1..9; 1 for the internet set

    // The next key is for `captureCode`, of `player` (1 or 2) for a local player's action.
    void start(int captureCode, int player);

    // The key that arrived. Without a capture running nothing happens and false comes back.
    // BackSpace unbinds the action (9999) and leaves every other binding alone. Any other key is
    // first taken from whoever holds it: of each player's actions 0..8 only the first that
    // holds it, testing down, drop, left, right, rotate, rotate2, useother, useself, discard
    // (player 1, then player 2), and every internet action; then it is bound to the action.
    // The capture ends; true.
    bool bindKey(ControlSettings& controls, int keyCode);
};

// "Switch Player Controls": actions 0..8 of the two players exchanged; the internet keys stay.
void SwapPlayerControls(ControlSettings& controls);

// "Clear All Controls", confirmed: actions 0..8 of both players and 9..17 of player 1 unset.
void ClearAllControls(ControlSettings& controls);

} // namespace kalvon
