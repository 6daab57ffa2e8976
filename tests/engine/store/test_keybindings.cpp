// The key bindings as the options page changes them: key names, button captions, a captured
// key taken from the actions that held it, BackSpace, the swap and the clear.

#include "engine/store/defaultsettings.h"
#include "engine/store/keybindings.h"

#include <gtest/gtest.h>

namespace kalvon {
namespace {

TEST(KeyBindings, KeyNames)
{
    const std::pair<int, const char*> cases[]
        = { { 65, "A" }, { 90, "Z" }, { 48, "0" }, { 57, "9" }, { 96, "Keypad 0" }, { 105, "Keypad 9" },
              { 106, "" }, { 110, "Keypad Del" }, { 112, "F1" }, { 123, "F12" }, { 124, "" }, { 8, "" },
              { 9, "Tab" }, { 13, "[Enter]" }, { 16, "Shift" }, { 17, "Control" }, { 18, "" }, { 27, "" },
              { 32, "[Space Bar]" }, { 33, "Page Up" }, { 34, "Page Down" }, { 35, "End" }, { 36, "Home" },
              { 37, "Arrow Left" }, { 38, "Arrow Up" }, { 39, "Arrow Right" }, { 40, "Arrow Down" },
              { 45, "Insert" }, { 46, "Delete" }, { 186, ";" }, { 187, "" }, { 188, "Comma" }, { 189, "" },
              { 190, "Period" }, { 191, "/" }, { 192, "" }, { 219, "[" }, { 220, "" }, { 221, "]" },
              { 222, "'" }, { 9999, "[None]" }, { 0, "" }, { -1, "" }, { 9998, "" } };
    for (const auto& [code, name] : cases)
        EXPECT_EQ(keyname(code), name) << code;
}

TEST(KeyBindings, ButtonCaptionsAreTheLabelAndTheKeyName)
{
    const struct {
        int captureCode;
        int16_t key;
        const char* caption;
    } cases[] = { { 1, 38, "Rotate Right: Arrow Up" }, { 2, 187, "Left: " }, { 3, 39, "Right: Arrow Right" },
        { 4, 40, "Piece Down: Arrow Down" }, { 5, 32, "Drop: [Space Bar]" },
        { 6, 9999, "Self Special: [None]" }, { 7, 13, "Enemy Special: [Enter]" },
        { 8, 191, "Rotate Left: /" }, { 9, 46, "Discard Special: Delete" }, { 10, 82, "Revenge Special: R" },
        { 11, 49, "Use Special On Player 1: 1" }, { 13, 9999, "Use Special On Player 3: [None]" },
        { 16, 54, "Use Special On Player 6: 6" }, { 17, 84, "Talk: T" }, { 18, 16, "Team Talk: Shift" } };
    for (const auto& c : cases) {
        EXPECT_EQ(keyButtonCaption(c.captureCode, c.key), c.caption) << c.captureCode;
        EXPECT_EQ(captureCode(*captureAction(c.captureCode)), c.captureCode);
    }
    EXPECT_FALSE(captureAction(0));
    EXPECT_FALSE(captureAction(19));
}

struct Binding {
    int player;
    KeyAction action;
    int16_t code;
};

// The installed bindings, with a key that the file gave to two of player 1's actions and to
// player 2 (K on left, drop and player 2's right), one on two internet actions (T on talk and the
// special on player 2) and player 2's unused internet row holding a key.
ControlSettings startBindings()
{
    ControlSettings controls = defaultControls();
    controls.binding(1, KeyAction::Left) = 'K';
    controls.binding(1, KeyAction::Drop) = 'K';
    controls.binding(2, KeyAction::Right) = 'K';
    controls.binding(1, KeyAction::Ispec2) = 'T';
    controls.binding(2, KeyAction::Ispec1) = 'W';
    return controls;
}

TEST(KeyBindings, ACapturedKeyIsTakenFromWhoeverHeldIt)
{
    using A = KeyAction;
    const struct {
        const char* what;
        int captureCode;
        int player;
        int key;
        std::vector<Binding> changed; // against startBindings()
    } cases[] = {
        { "player 1's left on player 2's left key", 2, 1, 'A',
            { { 2, A::Left, 9999 }, { 1, A::Left, 'A' } } },
        { "an internet key on player 2's rotate key", 11, 1, 'W',
            { { 2, A::Rotate, 9999 }, { 1, A::Ispec1, 'W' } } },
        { "an internet button of player 2 still binds player 1's row", 11, 2, 'M',
            { { 1, A::Ispec1, 'M' } } },
        { "of two actions holding the key only the first tested (drop) loses it", 8, 1, 'K',
            { { 1, A::Drop, 9999 }, { 2, A::Right, 9999 }, { 1, A::Rotate2, 'K' } } },
        { "every internet action holding the key loses it", 9, 2, 'T',
            { { 1, A::Italk, 9999 }, { 1, A::Ispec2, 9999 }, { 2, A::Discard, 'T' } } },
        { "BackSpace unbinds and takes nothing", 4, 2, 8, { { 2, A::Down, 9999 } } },
        { "the same key again changes nothing", 1, 1, 38, {} },
        { "a modifier alone is a key", 5, 1, 16, { { 1, A::Drop, 16 } } },
        { "a key without a name is stored", 3, 2, 187, { { 2, A::Right, 187 } } },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ControlSettings controls = startBindings();
        ControlSettings expected = startBindings();
        for (const Binding& b : c.changed)
            expected.binding(b.player, b.action) = b.code;
        KeyCapture capture;
        capture.start(c.captureCode, c.player);
        EXPECT_TRUE(capture.KeyCaptureActive);
        EXPECT_TRUE(capture.bindKey(controls, c.key));
        EXPECT_FALSE(capture.KeyCaptureActive);
        EXPECT_EQ(controls, expected);
        EXPECT_FALSE(capture.bindKey(controls, 'Z')) << "one key per capture";
        EXPECT_EQ(controls, expected);
    }
}

TEST(KeyBindings, SwapExchangesThePlayersAndClearUnsetsEverythingItShows)
{
    const ControlSettings start = startBindings();
    ControlSettings controls = start;
    SwapPlayerControls(controls);
    for (int action = 0; action < kKeyActions; ++action) {
        SCOPED_TRACE(action);
        const bool local = action <= int(KeyAction::Discard);
        EXPECT_EQ(controls.keyBindings[0][size_t(action)], start.keyBindings[local ? 1 : 0][size_t(action)]);
        EXPECT_EQ(controls.keyBindings[1][size_t(action)], start.keyBindings[local ? 0 : 1][size_t(action)]);
    }
    SwapPlayerControls(controls);
    EXPECT_EQ(controls, start);

    ClearAllControls(controls);
    for (int action = 0; action < kKeyActions; ++action) {
        SCOPED_TRACE(action);
        EXPECT_EQ(controls.keyBindings[0][size_t(action)], kKeyNotSet);
        const bool local = action <= int(KeyAction::Discard);
        EXPECT_EQ(controls.keyBindings[1][size_t(action)],
            local ? kKeyNotSet : start.keyBindings[1][size_t(action)]);
    }
    EXPECT_EQ(controls.controlSensitivity, start.controlSensitivity);
}

} // namespace
} // namespace kalvon
