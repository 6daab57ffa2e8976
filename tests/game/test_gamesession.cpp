// Starting, stopping, pausing and resuming games, the File menu and the game-mode submenu.

#include "support/game/gamerig.h"

#include <algorithm>
#include <gtest/gtest.h>

using namespace kalvon;
using namespace kalvon::testing;

namespace {

constexpr char kStartSound[] = "sound sound4.wav";
constexpr char kLoseSound[] = "sound sound5.wav";
constexpr char kClickSound[] = "sound sound10.wav";

// Where a call first appears in the log (the log's size when it does not).
size_t at(const GameRig& rig, const std::string& call)
{
    const auto& calls = rig.log.calls;
    return size_t(std::find(calls.begin(), calls.end(), call) - calls.begin());
}

bool fieldHasBlocks(const EngineState& s, int p)
{
    for (const auto& column : s.FieldOccupied[size_t(p)])
        for (int16_t cell : column)
            if (cell != kCellEmpty)
                return true;
    return false;
}

} // namespace

TEST(GameSession, OnePlayerStartBeginsAtLevelOneAndRunsTheTimer)
{
    GameRig rig;
    rig.options.gameOptions.startLevel = "40";
    rig.session().StartGame();
    const EngineState& s = rig.state();

    EXPECT_TRUE(s.GameStarted && s.GameActive);
    EXPECT_EQ(s.Level[1], 1) << "a one-player game ignores the start level of the options";
    EXPECT_TRUE(s.PieceInPlay[1]);
    EXPECT_FALSE(s.PieceInPlay[2]);
    EXPECT_TRUE(rig.core.ticker().isActive());
    EXPECT_EQ(rig.core.keys().KeyLastTime[1][size_t(KeyAction::Left)], rig.clock.nowMs());
    EXPECT_EQ(rig.log.count("ClearHeightLed 2"), 0);
    EXPECT_EQ(rig.log.count("showActiveLevels") + rig.log.count("hideActiveLevels"), 0);
    EXPECT_EQ(rig.log.calls.front(), "ClearTrails");
    EXPECT_LT(at(rig, "ratioFramesOff"), at(rig, kStartSound));
    EXPECT_LT(at(rig, kStartSound), at(rig, "music play"));
    EXPECT_LT(at(rig, "music play"), at(rig, "FocusField"));
    EXPECT_TRUE(rig.session().fileItemEnabled(int(FileItem::PauseResume)));
    EXPECT_FALSE(rig.session().fileItemEnabled(int(FileItem::GameMode)));
}

TEST(GameSession, TwoPlayerStartSetsUpBothFieldsByTheServerPagesRules)
{
    GameRig rig(GameMode::TwoPlayers);
    rig.options.gameOptions.startLevel = "100";
    rig.options.gameOptions.sameLevel = 0;
    rig.options.gameOptions.classic = 1;
    rig.options.gameOptions.maxSpecials = "7";
    rig.options.graphics.door = 1;
    rig.session().StartGame();
    const EngineState& s = rig.state();

    EXPECT_EQ(s.Rules.startlevel, 100);
    EXPECT_TRUE(s.Rules.classic);
    EXPECT_FALSE(s.Rules.samelevel);
    EXPECT_EQ(s.Rules.maxspecials, 7);
    EXPECT_EQ(rig.log.count("hideActiveLevels"), 1);
    for (int p : { 1, 2 }) {
        SCOPED_TRACE(p);
        EXPECT_EQ(s.Level[p], 100);
        EXPECT_DOUBLE_EQ(s.FallSpeed[p], 16.0 / 10);
        EXPECT_TRUE(s.PieceInPlay[p]);
        EXPECT_EQ(rig.log.count("ClearHeightLed " + std::to_string(p)), 1);
        EXPECT_EQ(rig.log.count("DrawNextPiece " + std::to_string(p)), 1);
        EXPECT_GT(rig.log.count("DrawDoorFrame " + std::to_string(p)), 0) << "its doors opened";
        EXPECT_TRUE(s.FieldDoorOpen[p]);
        EXPECT_EQ(rig.core.keys().KeyLastTime[p][size_t(KeyAction::Drop)], s.PlayTimeStart);
    }
    EXPECT_LT(at(rig, "DrawDoorFrame 1"), at(rig, "DrawDoorFrame 2"));
    EXPECT_TRUE(rig.core.ticker().isActive());
}

TEST(GameSession, LocalStopClosesAndFillsBothFields)
{
    GameRig rig;
    rig.startGame();
    rig.runFor(100);
    rig.log.clear();
    rig.session().StopGame();
    const EngineState& s = rig.state();

    EXPECT_FALSE(s.GameStarted || s.GameActive || s.GamePaused);
    EXPECT_FALSE(rig.core.ticker().isActive());
    EXPECT_EQ(rig.window.caption, "Kalvon v1.91");
    EXPECT_TRUE(fieldHasBlocks(s, 1));
    EXPECT_TRUE(fieldHasBlocks(s, 2)) << "the hidden second field is filled too";
    EXPECT_EQ(rig.log.calls.front(), "ClearTrails");
    EXPECT_EQ(rig.log.calls.back(), kLoseSound);
    EXPECT_LT(at(rig, "music stop"), at(rig, kLoseSound));
    EXPECT_EQ(rig.log.count("ratioFramesOn"), 1);
    EXPECT_FALSE(rig.session().fileItemEnabled(int(FileItem::PauseResume)));
    EXPECT_TRUE(rig.session().fileItemEnabled(int(FileItem::GameMode)));
}

TEST(GameSession, InternetStartAndStopAskTheServer)
{
    struct Case {
        const char* what;
        bool player; // slot 3 holds a player
        bool hosting;
        bool connected;
        std::vector<std::string> start;
        std::string stop;
    };
    const Case cases[] = {
        { "hosting", true, true, false, { "pauseButtonOn", "startCaption Stop Game", "ServerStartGame -1" },
            "ServerStopGame" },
        { "hosting and connected", true, true, true,
            { "pauseButtonOn", "startCaption Stop Game", "ServerStartGame -1" }, "requestStopGame" },
        { "connected", true, false, true, { "pauseButtonOn", "startCaption Stop Game", "requestStartGame" },
            "requestStopGame" },
        { "neither", true, false, false, { "pauseButtonOn", "startCaption Stop Game" }, "ServerStopGame" },
        { "nobody playing", false, true, true, { "ClearTopmost", "ApplyStayOnTop" }, "requestStopGame" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        GameRig rig(GameMode::Internet);
        rig.internet.hosting = c.hosting;
        rig.internet.connected = c.connected;
        if (c.player)
            rig.internet.spotPlayer[3] = 2;
        rig.session().StartGame();
        std::vector<std::string> calls;
        for (const std::string& call : rig.log.calls)
            if (call != "ClearTrails" && call != "hideFileMenu")
                calls.push_back(call);
        EXPECT_EQ(calls, c.start);
        EXPECT_EQ(rig.dialogs.messages(),
            c.player ? std::vector<Bytes>{}
                     : std::vector<Bytes>{ "No players available, can't start game!" });
        EXPECT_TRUE(rig.state().GameStarted) << "also after a refused start";
        EXPECT_FALSE(rig.core.ticker().isActive()) << "the server's start message starts the game";

        // F2 then stops: the server's stop message resets the rest.
        rig.log.clear();
        rig.core.keyboard().keyPressed(113);
        EXPECT_EQ(rig.log.count(c.stop), 1);
        EXPECT_FALSE(rig.state().GameStarted);
    }
}

TEST(GameSession, PauseFreezesTheGameAndResumeGoesOnWithoutThePause)
{
    GameRig rig;
    rig.startGame();
    EngineState& s = rig.state();
    rig.placePiece(1, PieceType::Square, 5);
    rig.runFor(2000);
    const int row = s.FallingPiece[1].Row;
    FieldKeyboard& keys = rig.core.keyboard();

    keys.keyPressed(114); // F3
    EXPECT_TRUE(s.GamePaused);
    EXPECT_FALSE(rig.core.ticker().isActive());
    EXPECT_EQ(rig.log.count("music pause"), 1);
    keys.keyPressed(BoundKeys::p1Left);
    EXPECT_FALSE(rig.core.keys().held(1, KeyAction::Left)) << "moves wait while paused";
    rig.runFor(5000);
    EXPECT_EQ(s.FallingPiece[1].Row, row);

    keys.keyPressed(114);
    EXPECT_FALSE(s.GamePaused);
    EXPECT_TRUE(rig.core.ticker().isActive());
    EXPECT_EQ(rig.log.count("music resume"), 1);
    rig.runFor(1000);
    EXPECT_EQ(s.FallingPiece[1].Row, row + 1);
    EXPECT_EQ(rig.window.caption, "Kalvon v1.91 - Game Time: 0 min 3 sec") << "the pause is not play time";
}

TEST(GameSession, FileMenuItems)
{
    GameRig rig;
    GameSession& session = rig.session();
    // Disabled items take neither hover nor clicks.
    session.fileMenuItemHovered(6);
    session.fileMenuItemClicked(1);
    EXPECT_TRUE(rig.log.calls.empty());

    // Markers 5 and 6 act as items 0 and 1.
    session.fileMenuItemClicked(5);
    EXPECT_TRUE(rig.state().GameStarted);
    EXPECT_EQ(rig.log.calls.front(), kClickSound);
    session.fileMenuItemClicked(6);
    EXPECT_TRUE(rig.state().GamePaused);
    session.fileMenuItemHovered(6);
    EXPECT_EQ(session.FileMenuHover(), 1);
    session.fileMenuItemClicked(0);
    EXPECT_FALSE(rig.state().GameStarted);

    // The game-mode item opens the submenu; hover there moves the highlight.
    rig.log.clear();
    session.fileMenuItemHovered(2);
    EXPECT_EQ(session.FileMenuHover(), 2);
    EXPECT_EQ(session.GameModeMenuHover(), -1);
    EXPECT_EQ(
        rig.log.calls, (std::vector<std::string>{ "drawGameModeMenu", "showGameModeMenu", "drawFileMenu" }));
    session.gameModeItemHovered(1);
    EXPECT_EQ(session.FileMenuHover(), -1);
    EXPECT_EQ(session.GameModeMenuHover(), 1);
    rig.log.clear();
    session.fileMenuItemClicked(3);
    session.fileMenuItemClicked(4);
    EXPECT_EQ(rig.log.calls,
        (std::vector<std::string>{ kClickSound, "showHighScores", "hideGameModeMenu", kClickSound,
            "closeWindow", "hideGameModeMenu" }));
}

TEST(GameSession, GameModeSubmenuSetsTheModeAndTheStartItem)
{
    struct Case {
        int index;
        bool hosting;
        bool startEnabled;
    };
    for (const Case& c :
        { Case{ 0, false, true }, Case{ 1, false, true }, Case{ 2, false, false }, Case{ 2, true, true } }) {
        SCOPED_TRACE(c.index * 10 + c.hosting);
        GameRig rig;
        rig.internet.hosting = c.hosting;
        rig.state().GameOverShown = { false, true, true };
        rig.session().gameModeChosen(2); // internet first, which disables the item unless hosting
        rig.log.clear();
        rig.session().gameModeChosen(c.index);
        EXPECT_EQ(int(rig.state().GameMode), c.index + 1);
        EXPECT_EQ(rig.session().fileItemEnabled(int(FileItem::StartStop)), c.startEnabled);
        EXPECT_EQ(rig.log.calls.at(0), kClickSound);
        EXPECT_EQ(rig.log.calls.at(1), "layOutFieldsPage " + std::to_string(c.index + 1));
        EXPECT_FALSE(rig.state().GameOverShown[1] || rig.state().GameOverShown[2]);
    }
    GameRig rig;
    rig.session().gameModeChosen(3);
    EXPECT_EQ(rig.state().GameMode, GameMode::OnePlayer) << "no such mode";
    EXPECT_TRUE(rig.log.calls.empty());
}

TEST(GameSession, LostGameEndsTheSession)
{
    GameRig rig;
    rig.startGame();
    EngineState& s = rig.state();
    // The next piece has no room: the spawn after the landing loses the game.
    for (int column = 0; column < kFieldColumns; ++column) {
        s.FieldOccupied[1][size_t(column)][1] = kCellOccupied;
        s.FieldColor[1][size_t(column)][1] = 2;
    }
    s.PieceInPlay[1] = false;
    rig.core.engine().SpawnPiece(1, int(PieceType::Square), 5, 0);

    EXPECT_FALSE(s.GameStarted);
    EXPECT_FALSE(rig.core.ticker().isActive());
    EXPECT_FALSE(rig.session().fileItemEnabled(int(FileItem::PauseResume)));
    EXPECT_TRUE(rig.session().fileItemEnabled(int(FileItem::GameMode)));
    EXPECT_EQ(rig.log.count("ratioFramesOn"), 1);
    EXPECT_EQ(rig.log.count("music stop"), 1);
}
