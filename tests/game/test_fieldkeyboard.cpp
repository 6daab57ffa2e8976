// Keys on the field as the game core takes them: what acts while the game is paused or not
// running, and the keys of internet play.

#include "support/game/gamerig.h"

#include <gtest/gtest.h>

using namespace kalvon;
using namespace kalvon::testing;

namespace {

using K = BoundKeys;
constexpr int16_t kFlashCode = kFirstSpecialCode + int16_t(SpecialType::FlashScreen);

} // namespace

TEST(FieldKeys, WhatActsWhenTheGameIsPausedOrNotRunning)
{
    GameRig rig;
    rig.startGame();
    FieldKeyboard& keyboard = rig.core.keyboard();
    rig.state().lstSpecials[1] = { kFlashCode };
    keyboard.keyPressed(114); // F3: pause
    ASSERT_TRUE(rig.state().GamePaused);
    rig.log.clear();
    for (int key : { K::p1Left, K::p1Discard, K::p2Left })
        keyboard.keyPressed(key);
    keyboard.keyPressed(112); // F1
    EXPECT_FALSE(rig.core.keys().held(1, KeyAction::Left));
    EXPECT_EQ(rig.state().lstSpecials[1].size(), 1u) << "no discard while paused";
    EXPECT_EQ(rig.log.calls, std::vector<std::string>{ "ShowHelp" });
    keyboard.keyPressed(114);
    EXPECT_FALSE(rig.state().GamePaused);

    // Running: discard acts at once; player 2's keys do nothing in a one-player game, yet a
    // key-up still clears player 2's flags; one key bound to two actions holds both.
    keyboard.keyPressed(K::p1Discard);
    EXPECT_TRUE(rig.state().lstSpecials[1].empty());
    keyboard.keyPressed(K::p2Left);
    EXPECT_FALSE(rig.core.keys().held(2, KeyAction::Left));
    rig.core.keys().held(2, KeyAction::Left) = true;
    keyboard.keyReleased(K::p2Left);
    EXPECT_FALSE(rig.core.keys().held(2, KeyAction::Left));
    rig.options.controls.binding(1, KeyAction::Right) = K::p1Left;
    keyboard.keyPressed(K::p1Left);
    EXPECT_TRUE(rig.core.keys().held(1, KeyAction::Left) && rig.core.keys().held(1, KeyAction::Right));

    // F2 does nothing while the File menu's start item is disabled.
    rig.session().setFileItemEnabled(FileItem::StartStop, false);
    keyboard.keyPressed(113);
    EXPECT_TRUE(rig.state().GameStarted);
}

TEST(FieldKeys, InternetKeys)
{
    GameRig rig(GameMode::Internet);
    FieldKeyboard& keyboard = rig.core.keyboard();
    // Talk keys work without a game; a second talk key while the box is open does nothing.
    keyboard.keyPressed(K::talk);
    keyboard.keyPressed(K::talkTeam);
    EXPECT_TRUE(keyboard.TalkActive());
    keyboard.keyPressed(27);
    EXPECT_FALSE(keyboard.TalkActive());
    keyboard.keyPressed(K::talkTeam);
    EXPECT_EQ(rig.log.calls, (std::vector<std::string>{ "openTalkBox", "closeTalkBox", "openTalkBox team" }));

    // Special targets only while the game timer runs.
    rig.log.clear();
    keyboard.keyPressed(K::spec1 + 2);
    EXPECT_TRUE(rig.log.calls.empty());
    rig.session().setGameTimer(true);
    for (int slot = 1; slot <= 6; ++slot)
        keyboard.keyPressed(K::spec1 + slot - 1);
    EXPECT_EQ(rig.log.starting("SendSpecial").size(), 6u);

    // Revenge goes to the last attacker only when that is a playing slot.
    struct Case {
        int attacker;
        int sent;
    };
    for (const Case& c : { Case{ 0, 0 }, Case{ 3, 1 }, Case{ 6, 1 }, Case{ 7, 0 }, Case{ -1, 0 } }) {
        rig.log.clear();
        rig.internet.lastAttacker = c.attacker;
        keyboard.keyPressed(K::revenge);
        EXPECT_EQ(rig.log.count("SendSpecial " + std::to_string(c.attacker)), c.sent) << c.attacker;
        EXPECT_EQ(rig.log.calls.size(), size_t(c.sent)) << c.attacker;
    }
    rig.core.ticker().stop();
}
