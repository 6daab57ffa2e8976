// Keys on the field: real Qt key events through the virtual-key table into both players'
// bindings, the auto-repeat rule, focus loss, and the keys that act at once.

#include "windowrig.h"

#include <QKeyEvent>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

using namespace kalvon;
using namespace kalvon::testing;

namespace {

using K = BoundKeys;
constexpr int16_t kFlashCode = kFirstSpecialCode + int16_t(SpecialType::FlashScreen);

// The field picture: a focusable widget with the key filter on it.
struct KeyField {
    QWidget field;
    FieldKeyFilter filter;

    explicit KeyField(WindowRig& rig)
        : filter(rig.core.keyboard(), &field)
    {
        field.setFocusPolicy(Qt::StrongFocus);
        field.installEventFilter(&filter);
    }

    // A key event as X11 auto-repeat delivers it.
    void autoRepeat(QEvent::Type type, Qt::Key key)
    {
        QKeyEvent event(type, key, Qt::NoModifier, QString(), true);
        QCoreApplication::sendEvent(&field, &event);
    }
};

} // namespace

TEST(FieldKeys, RealKeyEventsPlayBothPlayersThroughTheirBindings)
{
    WindowRig rig(GameMode::TwoPlayers);
    rig.startGame();
    EngineState& s = rig.state();
    for (int p : { 1, 2 }) {
        rig.placePiece(p, PieceType::TBlock, 5, 3);
        s.lstSpecials[size_t(p)] = { kFlashCode };
    }
    KeyField keys(rig);
    struct Press {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        int player;
        KeyAction action;
    };
    const Press presses[] = {
        { Qt::Key_Up, Qt::NoModifier, 1, KeyAction::Rotate },
        { Qt::Key_Left, Qt::NoModifier, 1, KeyAction::Left },
        { Qt::Key_Space, Qt::NoModifier, 1, KeyAction::Drop },
        { Qt::Key_Exclam, Qt::ShiftModifier, 1, KeyAction::UseSelf }, // Shift+1 is still the 1 key
        { Qt::Key_8, Qt::KeypadModifier, 2, KeyAction::Rotate },
        { Qt::Key_A, Qt::NoModifier, 2, KeyAction::Left },
        { Qt::Key_W, Qt::NoModifier, 2, KeyAction::Drop },
        { Qt::Key_E, Qt::NoModifier, 2, KeyAction::UseSelf },
    };
    for (const Press& press : presses) {
        rig.core.keys().lastTime(press.player, press.action) = 0;
        QTest::keyPress(&keys.field, press.key, press.modifiers);
        EXPECT_TRUE(rig.core.keys().held(press.player, press.action)) << press.key;
    }
    rig.tick();
    for (int p : { 1, 2 }) {
        SCOPED_TRACE(p);
        EXPECT_TRUE(s.FlashActive[p]) << "used the special on himself";
        // Turned upright, one column left, dropped: three cells in column 5, one in column 6.
        EXPECT_EQ(s.FieldOccupied[p][5][21], kCellOccupied);
        EXPECT_EQ(s.FieldOccupied[p][6][20], kCellOccupied);
        EXPECT_EQ(s.FieldOccupied[p][6][21], kCellEmpty);
    }
    EXPECT_EQ(rig.log.count("sound sound1.wav"), 2);
    EXPECT_EQ(rig.log.count("sound sound0.wav"), 2);

    for (const Press& press : presses) {
        QTest::keyRelease(&keys.field, press.key, press.modifiers);
        EXPECT_FALSE(rig.core.keys().held(press.player, press.action)) << press.key;
        EXPECT_EQ(rig.core.keys().KeyLastTime[size_t(press.player)][size_t(press.action)], 0);
    }
}

TEST(FieldKeys, AutoRepeatAndFocusLoss)
{
    WindowRig rig;
    rig.startGame();
    KeyField keys(rig);
    HeldKeys& held = rig.core.keys();

    QTest::keyPress(&keys.field, Qt::Key_Left);
    keys.autoRepeat(QEvent::KeyRelease, Qt::Key_Left);
    keys.autoRepeat(QEvent::KeyPress, Qt::Key_Left);
    EXPECT_TRUE(held.held(1, KeyAction::Left)) << "auto-repeat releases are ignored";

    keys.autoRepeat(QEvent::KeyPress, Qt::Key_F2);
    keys.autoRepeat(QEvent::KeyPress, Qt::Key_F3);
    EXPECT_TRUE(rig.state().GameStarted && !rig.state().GamePaused) << "held F2 and F3 do not toggle";

    // Tab is a key like any other on the field, not a move of the focus.
    rig.options.controls.binding(1, KeyAction::Rotate2) = 9;
    QTest::keyPress(&keys.field, Qt::Key_Tab);
    EXPECT_TRUE(held.held(1, KeyAction::Rotate2));

    held.lastTime(1, KeyAction::Left) = 1234;
    QFocusEvent focusOut(QEvent::FocusOut);
    QCoreApplication::sendEvent(&keys.field, &focusOut);
    EXPECT_FALSE(held.held(1, KeyAction::Left));
    EXPECT_EQ(held.lastTime(1, KeyAction::Left), 1234) << "the repeat time stays";

    QTest::keyPress(&keys.field, Qt::Key_F2);
    EXPECT_FALSE(rig.state().GameStarted) << "a real F2 press stops the game";
}

TEST(FieldKeys, WhatActsWhenTheGameIsPausedOrNotRunning)
{
    WindowRig rig;
    rig.startGame();
    FieldKeyboard& keyboard = rig.core.keyboard();
    rig.state().lstSpecials[1] = { kFlashCode };
    keyboard.picField_KeyDown(114); // F3: pause
    ASSERT_TRUE(rig.state().GamePaused);
    rig.log.clear();
    for (int key : { K::p1Left, K::p1Discard, K::p2Left })
        keyboard.picField_KeyDown(key);
    keyboard.picField_KeyDown(112); // F1
    EXPECT_FALSE(rig.core.keys().held(1, KeyAction::Left));
    EXPECT_EQ(rig.state().lstSpecials[1].size(), 1u) << "no discard while paused";
    EXPECT_EQ(rig.log.calls, std::vector<std::string>{ "ShowHelp" });
    keyboard.picField_KeyDown(114);
    EXPECT_FALSE(rig.state().GamePaused);

    // Running: discard acts at once; player 2's keys do nothing in a one-player game, yet a
    // key-up still clears player 2's flags; one key bound to two actions holds both.
    keyboard.picField_KeyDown(K::p1Discard);
    EXPECT_TRUE(rig.state().lstSpecials[1].empty());
    keyboard.picField_KeyDown(K::p2Left);
    EXPECT_FALSE(rig.core.keys().held(2, KeyAction::Left));
    rig.core.keys().held(2, KeyAction::Left) = true;
    keyboard.picField_KeyUp(K::p2Left);
    EXPECT_FALSE(rig.core.keys().held(2, KeyAction::Left));
    rig.options.controls.binding(1, KeyAction::Right) = K::p1Left;
    keyboard.picField_KeyDown(K::p1Left);
    EXPECT_TRUE(rig.core.keys().held(1, KeyAction::Left) && rig.core.keys().held(1, KeyAction::Right));

    // F2 does nothing while the File menu's start item is disabled.
    rig.session().setFileItemEnabled(FileItem::StartStop, false);
    keyboard.picField_KeyDown(113);
    EXPECT_TRUE(rig.state().GameStarted);
}

TEST(FieldKeys, InternetKeys)
{
    WindowRig rig(GameMode::Internet);
    FieldKeyboard& keyboard = rig.core.keyboard();
    // Talk keys work without a game; a second talk key while the box is open does nothing.
    keyboard.picField_KeyDown(K::talk);
    keyboard.picField_KeyDown(K::talkTeam);
    EXPECT_TRUE(keyboard.TalkActive());
    keyboard.picField_KeyDown(27);
    EXPECT_FALSE(keyboard.TalkActive());
    keyboard.picField_KeyDown(K::talkTeam);
    EXPECT_EQ(rig.log.calls, (std::vector<std::string>{ "openTalkBox", "closeTalkBox", "openTalkBox team" }));

    // Special targets only while the game timer runs.
    rig.log.clear();
    keyboard.picField_KeyDown(K::spec1 + 2);
    EXPECT_TRUE(rig.log.calls.empty());
    rig.session().setGameTimer(true);
    for (int slot = 1; slot <= 6; ++slot)
        keyboard.picField_KeyDown(K::spec1 + slot - 1);
    EXPECT_EQ(rig.log.starting("SendSpecial").size(), 6u);

    // Revenge goes to the last attacker only when that is a playing slot.
    struct Case {
        int attacker;
        int sent;
    };
    for (const Case& c : { Case{ 0, 0 }, Case{ 3, 1 }, Case{ 6, 1 }, Case{ 7, 0 }, Case{ -1, 0 } }) {
        rig.log.clear();
        rig.internet.lastAttacker = c.attacker;
        keyboard.picField_KeyDown(K::revenge);
        EXPECT_EQ(rig.log.count("SendSpecial " + std::to_string(c.attacker)), c.sent) << c.attacker;
        EXPECT_EQ(rig.log.calls.size(), size_t(c.sent)) << c.attacker;
    }
    rig.core.ticker().stop();
}
