// The bot bridge with the sample plug-in: linking from the program folder only, the icon
// gesture, the mask as held keys, and the bot playing player 1 through the tick.

#include "samplebot.h"
#include "support/game/gamerig.h"

#include <QTemporaryDir>
#include <fstream>
#include <gtest/gtest.h>

using namespace kalvon;
using namespace kalvon::testing;

namespace {

const std::filesystem::path& kBotFolder = kSampleBotFolder;
const std::filesystem::path& kWrongVersionFolder = kWrongVersionBotFolder;

int occupiedCells(const EngineState& s, int p)
{
    int count = 0;
    for (const auto& column : s.FieldOccupied[size_t(p)])
        for (int16_t cell : column)
            count += cell != kCellEmpty;
    return count;
}

} // namespace

TEST(BotBridge, PluginPathOnlyInTheProgramFolder)
{
    const std::filesystem::path folder = "/opt/kalvon";
    EXPECT_EQ(botPluginPath(folder, "kalvonbot.dll"), folder / "kalvonbot.so");
    EXPECT_EQ(botPluginPath(folder, "KalvonBot.DLL"), folder / "KalvonBot.so");
    EXPECT_EQ(botPluginPath(folder, "kalvonbot.so"), folder / "kalvonbot.so");
    for (const char* name :
        { "", "..", "../kalvonbot.so", "/tmp/kalvonbot.so", "sub\\kalvonbot.dll", "c:kalvonbot.dll" })
        EXPECT_EQ(botPluginPath(folder, name), std::nullopt) << name;
}

TEST(BotBridge, RefusedPlugins)
{
    QTemporaryDir notALibrary;
    ASSERT_TRUE(notALibrary.isValid());
    std::ofstream(std::filesystem::path(notALibrary.path().toStdString()) / "kalvonbot.so")
        << "not a library\n";
    QTemporaryDir empty;
    struct Case {
        const char* what;
        std::filesystem::path folder;
        const char* name;
    };
    const Case cases[] = {
        { "a wrong interface version", kWrongVersionFolder, "kalvonbot.dll" },
        { "not a shared library", notALibrary.path().toStdString(), "kalvonbot.dll" },
        { "no plug-in in the program folder", empty.path().toStdString(), "kalvonbot.dll" },
        { "a name with a folder", kBotFolder.parent_path(), "bot1/kalvonbot.so" },
    };
    for (const Case& c : cases) {
        GameRig rig(GameMode::OnePlayer, c.folder);
        EXPECT_FALSE(rig.core.bot().BotLink(c.name)) << c.what;
        EXPECT_FALSE(rig.core.bot().BotLinked()) << c.what;
        rig.core.bot().BotUnlink(); // safe with nothing linked
    }
}

TEST(BotBridge, ShiftRightClickOnTheIconLinksAndUnlinks)
{
    struct Case {
        Qt::MouseButton button;
        Qt::KeyboardModifiers modifiers;
        bool linkedAfter;
        const char* message; // nullptr: none
    };
    const Case cases[] = {
        { Qt::RightButton, Qt::ShiftModifier, true, "Kalvon Bot Linked!" },
        { Qt::RightButton, Qt::ShiftModifier | Qt::ControlModifier, true, nullptr },
        { Qt::RightButton, Qt::ShiftModifier | Qt::AltModifier, true, nullptr },
        { Qt::LeftButton, Qt::ShiftModifier, true, nullptr },
        { Qt::RightButton, Qt::NoModifier, true, nullptr },
        { Qt::RightButton, Qt::ShiftModifier | Qt::KeypadModifier, false, "Kalvon Bot Unlinked!" },
    };
    GameRig rig(GameMode::OnePlayer, kBotFolder);
    for (const Case& c : cases) {
        rig.dialogs.calls.clear();
        rig.core.bot().iconPressed(c.button, c.modifiers, rig.dialogs);
        EXPECT_EQ(rig.core.bot().BotLinked(), c.linkedAfter);
        ASSERT_EQ(rig.dialogs.calls.size(), c.message ? 1u : 0u);
        if (c.message) {
            EXPECT_EQ(rig.dialogs.calls[0].text, c.message);
            EXPECT_EQ(rig.dialogs.calls[0].title, "");
            EXPECT_EQ(rig.dialogs.calls[0].icon, MessageIcon::Information);
        }
    }
    // A plug-in that cannot be linked shows nothing.
    GameRig wrong(GameMode::OnePlayer, kWrongVersionFolder);
    wrong.core.bot().iconPressed(Qt::RightButton, Qt::ShiftModifier, wrong.dialogs);
    EXPECT_TRUE(wrong.dialogs.calls.empty());
}

TEST(BotBridge, MaskBecomesPlayerOnesHeldKeys)
{
    struct Case {
        int16_t mask;
        std::array<bool, 6> held; // rotate2, rotate, left, right, drop, down
        bool timesCleared;
    };
    const Case cases[] = {
        { 5, { false, false, true, false, true, false }, true }, // left and drop
        { 48, { true, true, false, false, false, false }, true }, // both turns
        { 8 | 2, { false, false, false, true, false, true }, true },
        { 0, {}, false },
        { -1, {}, false },
    };
    for (const Case& c : cases) {
        HeldKeys keys;
        for (KeyAction action : kRepeatableActions) {
            keys.held(1, action) = true;
            keys.lastTime(1, action) = 500;
        }
        ApplyBotKeys(c.mask, 1, keys);
        for (size_t i = 0; i < std::size(kMovementActions); ++i) {
            EXPECT_EQ(keys.held(1, kMovementActions[i]), c.held[i]) << c.mask << " " << i;
            EXPECT_EQ(keys.lastTime(1, kMovementActions[i]), c.timesCleared ? 0 : 500) << c.mask << " " << i;
        }
        EXPECT_TRUE(keys.held(1, KeyAction::UseSelf)) << "the specials stay with the keyboard";
        EXPECT_EQ(keys.lastTime(1, KeyAction::UseOther), 500);
    }
}

TEST(BotBridge, SamplePluginPlaysPlayerOne)
{
    GameRig rig(GameMode::OnePlayer, kBotFolder);
    ASSERT_TRUE(rig.core.bot().BotLink("kalvonbot.dll"));
    const SampleStats before = SampleStats::read();
    EXPECT_EQ(before.attached, 1);
    rig.startGame();
    rig.runFor(300);

    const EngineState& s = rig.state();
    ASSERT_TRUE(s.GameActive);
    const SampleStats after = SampleStats::read();
    EXPECT_EQ(after.events - before.events, 30) << "asked every tick";
    EXPECT_GE(after.pieceUpdates - before.pieceUpdates, 3) << "told of each next piece";
    int lowLeft = 0;
    for (int row = 18; row < kFieldRows; ++row)
        lowLeft += s.FieldOccupied[1][0][size_t(row)] != kCellEmpty;
    EXPECT_GE(lowLeft, 2) << "the pieces went left and down";
    EXPECT_GE(s.Score, 3 * 20) << "by hard drops";

    rig.core.bot().BotBlockUpdate();
    const SampleStats updated = SampleStats::read();
    EXPECT_EQ(updated.blockUpdates - after.blockUpdates, 1);
    EXPECT_EQ(updated.occupied, occupiedCells(s, 1)) << "the plug-in reads player 1's field";

    rig.core.bot().BotUnlink();
    EXPECT_EQ(SampleStats::read().attached, 0);
}
