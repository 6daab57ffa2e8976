// A network game on the client: its start with the server's rules and start heights, pause
// and resume, the common level and the level steps, the server's stop, and game over with
// its winners and the statistics text.

#include "clienttest.h"
#include "engine/levels.h"

#include <functional>

using namespace kalvon;
using namespace kalvon::testing;
namespace toClient = kalvon::wire::toClient;
namespace toServer = kalvon::wire::toServer;

TEST_F(ClientTest, GameStartTakesTheServersRulesAndStartHeight)
{
    struct Case {
        const char* name;
        int spot; // 0 watches
        bool hosting;
        bool samelevel;
        int addedLines;
        bool pauseEnabled;
    };
    for (const Case& c : { Case{ "spot 1", 1, false, false, 7, true },
             Case{ "spot 3", 3, false, true, 3, false }, Case{ "host in spot 3", 3, true, false, 3, true },
             Case{ "spectator", 0, false, false, 0, false } }) {
        SCOPED_TRACE(c.name);
        rig.host.hostingServer = c.hosting;
        seat(c.spot);
        wire::HostRules rules;
        rules.startlevel = 5;
        rules.specials = 1;
        rules.maxspecials = 4;
        rules.samelevel = c.samelevel;
        rules.startheight = { 0, 7, 0, 3, 0, 0, 0 };
        EXPECT_EQ(startGame(rules), std::vector<Bytes>{});

        const bool playing = c.spot > 0;
        EXPECT_EQ(
            rig.effects.calls, std::vector<std::string>(static_cast<std::size_t>(c.addedLines), "AddLine 1"));
        EXPECT_EQ(state().Rules.maxspecials, 4);
        EXPECT_TRUE(state().Rules.specials);
        EXPECT_EQ(state().Level[1], 5);
        EXPECT_EQ(state().ActiveLevel, 5);
        EXPECT_EQ(state().FallSpeed[1], FallSpeedFor(5)) << "the smooth fall keeps gravity's pace";
        EXPECT_EQ(rig.host.label(LabelId::Level, 1), "Level: 5");
        EXPECT_EQ(
            rig.host.label(LabelId::ActiveLevel, 1), c.samelevel ? "Active Level: 5" : "Active Level: 0");
        EXPECT_EQ(view.activeLevelShown, c.samelevel);
        EXPECT_EQ(state().GameActive, playing);
        EXPECT_EQ(state().PieceInPlay[1], playing);
        EXPECT_TRUE(state().GameStarted);
        EXPECT_EQ(view.chatLines(), std::vector<Bytes>{ "*** Server has started game." });
        EXPECT_EQ(view.screen, kFieldScreen);
        EXPECT_EQ(view.isEnabled(ClientControl::PauseGame), c.pauseEnabled);
        EXPECT_FALSE(view.isEnabled(ClientControl::TeamButton, true));
        EXPECT_EQ(view.caption(ClientControl::StartGame), "Stop Game");
        EXPECT_EQ(rig.host.count("GameTimer on"), 1);
        EXPECT_EQ(view.count("PlayGameMusic"), 1);
        // Bob's and Cy's boards are cleared over a fresh background; every board is redrawn.
        const int bobBoard = c.spot == 3 ? 2 : 1;
        EXPECT_EQ(view.count("DrawNetPlayerBackground " + std::to_string(bobBoard)), 1);
        EXPECT_EQ(view.count("DrawNetPlayerBackground 3"), 1);
        for (int board = 1; board <= kInternetFields; ++board)
            EXPECT_GE(view.count("DrawNetPlayerField " + std::to_string(board)), 1);
        if (playing) {
            EXPECT_EQ(client.RevengeSlot(), c.spot);
        }
        client.disconnectFromServer();
    }
}

TEST_F(ClientTest, OptionsOfTheWrongLengthKeepTheLastRules)
{
    seat(1);
    wire::HostRules rules;
    rules.maxspecials = 9;
    rules.classic = 1;
    startGame(rules);
    deliver({ msg(toClient::MsgGameStarted, "short") }); // options of the wrong length
    EXPECT_EQ(state().Rules.maxspecials, 9);
    EXPECT_TRUE(state().Rules.classic);
    EXPECT_TRUE(state().GameActive);
}

TEST_F(ClientTest, PauseResumeAndTheCommonLevel)
{
    seat(1);
    startGame();
    clock.advance(4000);
    deliver({ encode(toClient::GamePaused{}) });
    EXPECT_FALSE(state().GameActive);
    EXPECT_EQ(state().PlayTimeTotal, 4000);
    EXPECT_EQ(rig.host.count("GameTimer off"), 1);
    EXPECT_EQ(rig.host.count("PauseMusic"), 1);
    clock.advance(9000);
    deliver({ encode(toClient::GameResumed{}) });
    EXPECT_TRUE(state().GameActive);
    EXPECT_EQ(state().PlayTimeStart, clock.nowMs());
    EXPECT_EQ(rig.host.count("ResumeMusic"), 1);
    EXPECT_EQ(view.chatLines(),
        (std::vector<Bytes>{
            "*** Server has started game.", "*** Server paused game.", "*** Server unpaused game." }));

    // The common level only rises, and at most to 100.
    struct Case {
        int level;
        int active;
    };
    for (const Case& c : { Case{ 7, 7 }, Case{ 3, 7 }, Case{ 120, 100 }, Case{ 99, 100 } }) {
        SCOPED_TRACE(c.level);
        deliver({ encode(toClient::CommonLevel{ c.level }) });
        EXPECT_EQ(state().ActiveLevel, c.active);
        EXPECT_EQ(state().FallSpeed[1], FallSpeedFor(c.active));
        EXPECT_EQ(rig.host.label(LabelId::ActiveLevel, 1), "Active Level: " + std::to_string(c.active));
    }
}

TEST_F(ClientTest, LevelStepsOverTheLinesOfInternetPlay)
{
    seat(1);
    wire::HostRules rules;
    rules.linelevel = 2;
    rules.raiselevel = 3;
    rules.samelevel = 1;
    rules.startlevel = 98;
    startGame(rules);
    ASSERT_EQ(state().Level[1], 98);

    state().ActiveLevel = 90;
    state().LevelLineCount = 5;
    client.CheckLevelUp();
    EXPECT_EQ(state().Level[1], 100);
    EXPECT_EQ(state().LevelLineCount, 1);
    EXPECT_EQ(rig.host.label(LabelId::Level, 1), "Level: 100");
    // The server echoes the common level to everybody; the level of the game is not touched here.
    EXPECT_LINE(&server, encode(toServer::CommonLevel{ 100 }));
    EXPECT_EQ(state().ActiveLevel, 90);

    // With the common level already there, or levels that never rise, nothing is sent.
    state().ActiveLevel = 100;
    state().LevelLineCount = 2;
    client.CheckLevelUp();
    state().Rules.linelevel = 0;
    state().LevelLineCount = 50;
    client.CheckLevelUp();
    EXPECT_EQ(state().LevelLineCount, 50);
    EXPECT_EQ(deliver({}), std::vector<Bytes>{});
}

TEST_F(ClientTest, TheGamesRequestsReachTheServerAsTheirLines)
{
    seat(1);
    startGame();
    server.clear();
    struct Case {
        const char* name;
        std::function<void()> request;
        Bytes line;
    };
    const Case cases[] = {
        { "start", [this] { client.requestStartGame(); }, "M" },
        { "stop", [this] { client.requestStopGame(); }, "N" },
        { "the engine's pause", [this] { rig.engine.PauseGame(); }, "O" },
        { "the engine's resume", [this] { rig.engine.ResumeGame(); }, "P" },
        { "lines to all", [this] { client.addLinesToAll(2); }, "F;\x98" },
        { "the engine's lost game", [this] { rig.engine.PlayerLost(1); }, "G" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        c.request();
        EXPECT_LINE(&server, c.line);
    }
    // The server relays the lines to the others only: the own log has them already.
    EXPECT_NE(view.chatText().find("2 lines added to all from Ann"), Bytes::npos);
}

TEST_F(ClientTest, ServerStopsTheGame)
{
    seat(1);
    startGame();
    state().Options.sounds = true;
    view.clear();
    deliver({ encode(toClient::GameStopped{}) });
    EXPECT_EQ(view.chatLines(), std::vector<Bytes>{ "*** Server Stopped Game" });
    EXPECT_FALSE(state().GameActive);
    EXPECT_FALSE(state().GameStarted);
    EXPECT_EQ(view.caption(ClientControl::StartGame), "Start Game");
    EXPECT_FALSE(view.isEnabled(ClientControl::PauseGame, true));
    EXPECT_TRUE(view.isEnabled(ClientControl::TeamButton));
    EXPECT_EQ(view.screen, kChatScreen);
    EXPECT_EQ(view.windowCaption, "Kalvon v1.91");
    EXPECT_EQ(rig.host.sounds, std::vector<SoundSlot>{ SoundSlot::Lose });
    EXPECT_EQ(rig.host.count("GameTimer off"), 1);
    EXPECT_EQ(view.count("StopMusic"), 1);
}

TEST_F(ClientTest, GameOverNamesTheWinnersAndPrintsTheStatistics)
{
    seat(1);
    wire::HostRules rules;
    rules.specials = 1;
    rules.maxspecials = 5;
    startGame(rules);
    state().Options.sounds = true;

    // Two specials used (Add Line on teammate Bob, Clear Line on oneself), three received.
    state().lstSpecials[1] = { 7, 6 };
    client.SendSpecial(2);
    client.SendSpecial(1);
    deliver({ encode(toClient::SpecialRelay{ SpecialType::FlashScreen, 2, 1 }),
        encode(toClient::SpecialRelay{ SpecialType::Tremor, 3, 1 }) });
    state().Lines[1] = 25;
    state().FourLineClears[1] = 2;
    state().LinesAddedToAll = 3;
    state().SpecialsGained = 4;
    clock.advance(150000);
    view.clear();
    rig.host.clear();

    deliver({ encode(toClient::GameOver{ { 1 } }) });
    EXPECT_EQ(view.chatLines(),
        (std::vector<Bytes>{
            "*** Game Over - Winner(s): <T> red",
            "---- Game Statisitics ----",
            "Game Time: 2 min 30 sec",
            "Winner(s): <T> red",
            "Number of lines: 25",
            "Lines per minute: 10",
            "Number of quads: 2",
            "Quads per minute: 0.8",
            "Number of lines added to all: 3",
            "Number of specials gained: 4",
            "Number of specials used: 2",
            "Number of specials used on self: 1",
            "Number of good specials used: 1",
            "Number of bad specials used: 1",
            "Number of specials received: 3",
            "Number of specials used on teammates: 2",
            "Number of specials received from teammates: 1",
            "Specials used per minute: 0.8",
            "Specials received per minute: 1.2",
        }));
    EXPECT_EQ(view.chat[0], (ChatRun{ "\r\n*** Game Over - Winner(s): <T> red", true, ChatColour::Server }));
    EXPECT_EQ(view.chat[1], (ChatRun{ "\r\n---- Game Statisitics ----", true, ChatColour::Stat }));
    EXPECT_EQ(view.chat[2], (ChatRun{ "\r\nGame Time: 2 min 30 sec", false, ChatColour::Stat }));
    // The losers' boards are filled; the team wins whole: this client's field and Bob's board.
    for (const char* call : { "FillLostFieldRandom 1", "FillLostFieldRandom 3", "ResetNetBoard 1",
             "ShowChatScreen", "scrollChatToEnd" })
        EXPECT_EQ(view.count(call), 1) << call;
    EXPECT_EQ(view.count("ResetNetBoard 3"), 0);
    EXPECT_TRUE(state().GameOverShown[1]);
    EXPECT_EQ(rig.host.sounds, std::vector<SoundSlot>{ SoundSlot::Win });
    EXPECT_FALSE(state().GameStarted);
    EXPECT_EQ(view.caption(ClientControl::StartGame), "Start Game");
    EXPECT_TRUE(view.isEnabled(ClientControl::TeamBox));

    // Over already: a second game-over line changes nothing.
    view.clear();
    deliver({ encode(toClient::GameOver{ { 1 } }) });
    EXPECT_TRUE(view.chat.empty());
}

TEST_F(ClientTest, GameOverTextsOfSingleWinnersSpectatorsAndPausedGames)
{
    struct Case {
        const char* name;
        int spot;
        std::vector<Bytes> before; // lines before the game over
        Bytes gameOver; // the game-over line
        std::vector<Bytes> chat; // the game-over line and the first line after it; none: ignored
        std::vector<SoundSlot> sounds;
    };
    const Bytes noTeams = encode(toClient::TeamChanged{ 2, "\r" });
    const std::vector<Case> cases = {
        { "two winners without a team", 1, { noTeams, encode(toClient::TeamChanged{ 1, "\r" }) },
            encode(toClient::GameOver{ { 1, 2 } }),
            { "*** Game Over - Winner(s): Ann,Bob", "---- Game Statisitics ----" }, { SoundSlot::Win } },
        // A list element that is not one player is skipped; an unknown player is too.
        { "lost to Cy", 1, {}, msg(toClient::MsgGameOver, pc(3) + ",xx," + pc(50)),
            { "*** Game Over - Winner(s): Cy", "---- Game Statisitics ----" }, { SoundSlot::Lose } },
        { "spectator", 0, {}, encode(toClient::GameOver{ { 2 } }), { "*** Game Over - Winner(s): <T> red" },
            { SoundSlot::Lose } },
        { "paused", 1, { encode(toClient::GamePaused{}) }, encode(toClient::GameOver{ { 2 } }), {}, {} },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        seat(c.spot);
        startGame();
        state().Options.sounds = true;
        deliver(c.before);
        view.clear();
        rig.host.sounds.clear();
        deliver({ c.gameOver });
        std::vector<Bytes> lines = view.chatLines();
        // A spectator prints no statistics.
        if (c.spot > 0)
            lines.resize(std::min(lines.size(), c.chat.size()));
        EXPECT_EQ(lines, c.chat);
        EXPECT_EQ(rig.host.sounds, c.sounds);
        client.disconnectFromServer();
    }
}
