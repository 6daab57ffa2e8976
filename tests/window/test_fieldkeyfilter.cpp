// Keys on the field: real Qt key events through the key filter and the virtual-key table into
// both players' bindings, the auto-repeat rule and focus loss.

#include "support/game/gamerig.h"
#include "window/fieldkeyfilter.h"

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

    explicit KeyField(GameRig& rig)
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
    GameRig rig(GameMode::TwoPlayers);
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
    GameRig rig;
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
