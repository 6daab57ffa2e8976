// A lost game: the fields, flags and pictures it leaves in each mode, the high-score check of
// one-player play, and the doors over the fields.

#include "highscorefakes.h"
#include "support/enginefakes.h"
#include "support/scripteddialogs.h"

#include <gtest/gtest.h>

using namespace kalvon;
using namespace kalvon::testing;

namespace {

// The random fill as scripted below: colour = column mod 6, so the fill goes column by column.
const std::string kRandomFill = [] {
    std::vector<std::string_view> rows(kFieldRows, "012345012345");
    return fieldText(rows);
}();

void scriptRandomFill(ScriptedRandom& random)
{
    for (int x = 0; x < kFieldColumns; ++x)
        for (int y = 0; y < kFieldRows; ++y)
            random.add({ (x % 6 + 0.5) / 6 });
}

const std::string kStripes = fieldText({
    "444444444444",
    "444444444444",
    "555555555555",
    "555555555555",
    "111111111111",
    "111111111111",
    "222222222222",
    "222222222222",
    "000000000000",
    "000000000000",
    "033333333330",
    "033333333330",
    "000000000000",
    "000000000000",
    "222222222222",
    "222222222222",
    "111111111111",
    "111111111111",
    "555555555555",
    "555555555555",
    "444444444444",
    "444444444444",
});

std::vector<std::string> doorFrames(int p, int firstWidth, int step)
{
    std::vector<std::string> frames;
    for (int i = 0; i < 24; ++i)
        frames.push_back("DrawDoorFrame " + std::to_string(p) + " " + std::to_string(firstWidth + step * i));
    return frames;
}

struct LostRig : EngineRig {
    ScriptedDialogs dialogs;
    RecordingHighScoreStore store;
    RecordingHighScoreView view;
    HighScores highScores{ dialogs, store, view };

    explicit LostRig(GameMode mode)
        : EngineRig(mode)
    {
        engine.setHighScores(highScores);
        scriptRandomFill(random);
        state().Options.sounds = true;
        state().PieceInPlay = { false, true, true };
        state().ShieldActive = { false, true, true, false };
    }
};

} // namespace

TEST(PlayerLost, OnePlayerClosesFillsAndThenRanksTheScore)
{
    LostRig rig(GameMode::OnePlayer);
    EngineState& s = rig.state();
    s.Options.doors = true;
    s.FieldDoorOpen[1] = true;
    s.Score = 500;
    setField(s, 1, { "1111.1111111" });
    rig.dialogs.inputAnswers.push_back(Bytes("Ann"));
    std::string fieldAtSave;
    std::vector<SoundSlot> soundsAtSave;
    rig.store.duringSave = [&] {
        fieldAtSave = fieldText(s, 1);
        soundsAtSave = rig.host.sounds;
    };

    rig.engine.PlayerLost(1);

    EXPECT_EQ(fieldText(s, 1), kRandomFill);
    EXPECT_EQ(fieldAtSave, kRandomFill) << "the score is ranked after the fill";
    EXPECT_EQ(soundsAtSave, std::vector<SoundSlot>{ SoundSlot::Lose }) << "and after the sound";
    EXPECT_EQ(rig.highScores.table()[0], (HighScoreEntry{ "Ann", 500 }));
    EXPECT_EQ(rig.view.windowShown, 1);
    // The doors close over the field, so the fill is not drawn.
    std::vector<std::string> expected = { "ClearTrails", "GameTimer off", "StopGameMusic" };
    for (const std::string& frame : doorFrames(1, 8, 8))
        expected.push_back(frame);
    for (const char* call :
        { "ClearTrails", "ResetBlockFrame", "sound 5", "DrawHeightLed 1", "LocalGameEnded" })
        expected.push_back(call);
    EXPECT_EQ(rig.host.calls, expected);
    EXPECT_FALSE(s.GameActive);
    EXPECT_FALSE(s.GameStarted);
    EXPECT_FALSE(s.GamePaused);
    EXPECT_FALSE(s.PieceInPlay[1]);
    EXPECT_FALSE(s.ShieldActive[1]);
    EXPECT_FALSE(s.FieldDoorOpen[1]);
    EXPECT_FALSE(s.GameOverShown[1]);
}

TEST(PlayerLost, TwoPlayersFillTheLoserAndShowTheStripesToTheOther)
{
    for (int loser : { 1, 2 }) {
        SCOPED_TRACE(loser);
        const int survivor = OtherPlayer(loser);
        LostRig rig(GameMode::TwoPlayers);
        EngineState& s = rig.state();
        s.FieldDoorOpen = { false, true, true, false };

        rig.engine.PlayerLost(loser);

        EXPECT_EQ(fieldText(s, loser), kRandomFill);
        EXPECT_EQ(fieldText(s, survivor), kStripes);
        EXPECT_TRUE(s.GameOverShown[survivor]);
        EXPECT_FALSE(s.GameOverShown[loser]);
        EXPECT_FALSE(s.ShieldActive[1]);
        EXPECT_FALSE(s.ShieldActive[2]);
        EXPECT_FALSE(s.FieldDoorOpen[loser]) << "the door option off: no drawing, the doors count as closed";
        EXPECT_TRUE(s.FieldDoorOpen[survivor]);
        EXPECT_TRUE(rig.dialogs.calls.empty()) << "no high scores in two-player play";
        EXPECT_FALSE(s.GameStarted);
        const std::string l = std::to_string(loser), o = std::to_string(survivor);
        const std::vector<std::string> expected = { "ClearTrails", "GameTimer off", "StopGameMusic",
            // the loser's random fill, drawn
            "ClearTrails", "ClearFieldPicture " + l, "ResetBlockFrame", "DrawField " + l, "RefreshField " + l,
            "sound 5",
            // the survivor's stripes
            "ClearTrails", "ResetTrailLastDrawTime " + o, "PaintFieldBackground " + o, "ResetBlockFrame",
            "DrawField " + o, "DrawHeightLed " + l, "LocalGameEnded" };
        std::vector<std::string> calls = rig.host.calls;
        std::erase(calls, "ResetSentField"); // field 1 also forgets what internet play sent
        EXPECT_EQ(calls, expected);
    }
}

TEST(PlayerLost, InternetPlayTellsTheServerAndKeepsTheTimer)
{
    LostRig rig(GameMode::Internet);
    EngineState& s = rig.state();
    s.NetPlaying = true;
    s.FieldDoorOpen[1] = true;

    rig.engine.PlayerLost(1);

    EXPECT_EQ(fieldText(s, 1), kRandomFill);
    EXPECT_EQ(rig.host.calls,
        (std::vector<std::string>{ "ClearTrails", "MarkMyPlayerDead", "sendPlayerLost", "ClearTrails",
            "ClearFieldPicture 1", "ResetBlockFrame", "DrawField 1", "RefreshField 1", "DrawHeightLed 1",
            "sound 5" }));
    EXPECT_FALSE(s.NetPlaying);
    EXPECT_FALSE(s.GameActive);
    EXPECT_TRUE(s.GameStarted) << "the server ends the game";
    EXPECT_FALSE(s.ShieldActive[1]);
    EXPECT_TRUE(rig.dialogs.calls.empty());
}

TEST(FieldDoors, OpenFrameByFrameWaitingOutsideTwoPlayerPlay)
{
    struct Case {
        const char* name;
        GameMode mode;
        bool doors;
        bool waits;
    };
    const Case cases[] = {
        { "one player waits 20 ms a frame", GameMode::OnePlayer, true, true },
        { "internet play waits too", GameMode::Internet, true, true },
        { "two players do not wait", GameMode::TwoPlayers, true, false },
        { "the door option off draws nothing", GameMode::OnePlayer, false, false },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EngineRig rig(c.mode);
        rig.state().Options.doors = c.doors;
        bool openWhileOpening = false;
        rig.host.onCall = [&](const std::string& call) {
            if (call == "Wait 20")
                openWhileOpening = rig.state().FieldDoorOpen[2];
        };

        rig.engine.FadeInField(2);

        std::vector<std::string> expected;
        if (c.doors) {
            for (const std::string& frame : doorFrames(2, 184, -8)) {
                if (c.waits)
                    expected.push_back("Wait 20");
                expected.push_back(frame);
            }
        }
        EXPECT_EQ(rig.host.calls, expected);
        EXPECT_EQ(openWhileOpening, c.waits) << "the doors count as open from the first frame";
        EXPECT_TRUE(rig.state().FieldDoorOpen[2]);
        EXPECT_FALSE(rig.state().FieldDoorOpening[2]);
        // Opening open doors does nothing.
        rig.host.clear();
        rig.engine.FadeInField(2);
        EXPECT_TRUE(rig.host.calls.empty());
    }
}

TEST(FieldDoors, ClosingWhileTheyOpenLeavesThemClosed)
{
    EngineRig rig(GameMode::OnePlayer);
    rig.state().Options.doors = true;
    int waits = 0;
    rig.host.onCall = [&](const std::string& call) {
        if (call == "Wait 20" && ++waits == 3)
            rig.engine.FadeOutField(1);
    };

    rig.engine.FadeInField(1);

    EXPECT_FALSE(rig.state().FieldDoorOpen[1]);
    EXPECT_FALSE(rig.state().FieldDoorOpening[1]);
    EXPECT_EQ(waits, 3);
    EXPECT_EQ(rig.host.count("DrawDoorFrame 1 192"), 1) << "closed all the way";
    EXPECT_EQ(rig.host.calls.back(), "DrawDoorFrame 1 192");

    rig.host.clear();
    rig.engine.FadeOutField(1);
    EXPECT_TRUE(rig.host.calls.empty()) << "closed doors do not close again";
}

TEST(PlayerLost, AHardDropThatEndsTheGameRanksTheScoreWithItsPoints)
{
    LostRig rig(GameMode::OnePlayer);
    EngineState& s = rig.state();
    s.Score = 240;
    // The top rows block every spawn, so the landing ends the game.
    FieldRows rows(kFieldRows, "............");
    rows[0] = rows[1] = "...111111...";
    setField(s, 1, rows);
    rig.random.add({ 0.0, 0.0, 0.0 });
    rig.dialogs.inputAnswers.push_back(Bytes("Ann"));
    rig.place(1, PieceType::Square, 1, 0, 20);

    rig.engine.HardDrop(1);

    EXPECT_FALSE(s.GameStarted);
    EXPECT_EQ(rig.host.label(LabelId::Score, 1), "260");
    ASSERT_EQ(rig.store.saved.size(), 1u);
    EXPECT_EQ(rig.highScores.table()[0], (HighScoreEntry{ "Ann", 260 })) << "the score the player sees";
}
