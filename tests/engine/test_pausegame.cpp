// Pausing and resuming: the time played across several pauses, and what goes to the server.

#include "support/enginefakes.h"

#include <gtest/gtest.h>

using namespace kalvon;
using namespace kalvon::testing;

TEST(PauseGame, PlayTimeLeavesOutEveryPause)
{
    EngineRig rig(GameMode::TwoPlayers);
    rig.state().PlayTimeStart = 0; // the game started at 0
    GameEngine& e = rig.engine;
    const EngineState& s = rig.state();

    rig.clock.set(5000);
    e.PauseGame();
    EXPECT_EQ(s.PlayTimeTotal, 5000);
    rig.clock.set(9000);
    e.PauseGame(); // a second pause counts nothing
    EXPECT_EQ(e.playedTime(9000), 5000);
    e.ResumeGame();
    rig.clock.set(12'000);
    e.ResumeGame(); // resuming a running game loses nothing
    EXPECT_EQ(e.playedTime(12'000), 8000);
    rig.clock.set(13'000);
    e.PauseGame();
    rig.clock.set(40'000);
    e.ResumeGame();
    EXPECT_EQ(e.playedTime(41'500), 4000 + 5000 + 1500);

    EXPECT_TRUE(s.GameActive);
    EXPECT_FALSE(s.GamePaused);
    const std::vector<std::string> pause = { "GameTimer off", "PauseMusic" };
    const std::vector<std::string> resume = { "ResumeMusic", "GameTimer on", "FocusField" };
    std::vector<std::string> expected;
    for (int i = 0; i < 2; ++i) {
        expected.insert(expected.end(), pause.begin(), pause.end());
        expected.insert(expected.end(), resume.begin(), resume.end());
    }
    EXPECT_EQ(rig.host.calls, expected);
}

TEST(PauseGame, InternetPlayAsksTheServer)
{
    struct Case {
        const char* name;
        bool hosting;
        std::vector<std::string> calls;
    };
    const Case cases[] = {
        { "a client asks the server", false,
            { "PauseCaption Unpause Game", "sendPauseGame", "PauseCaption Pause Game", "sendResumeGame",
                "FocusField" } },
        { "the host calls its own server", true,
            { "PauseCaption Unpause Game", "ServerMsgPause -1", "PauseCaption Pause Game",
                "ServerMsgResume -1", "FocusField" } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EngineRig rig(GameMode::Internet);
        rig.host.hostingServer = c.hosting;

        rig.engine.PauseGame();
        EXPECT_TRUE(rig.state().GamePaused);
        EXPECT_TRUE(rig.state().GameActive) << "the server's answer pauses the game";
        rig.engine.ResumeGame();

        EXPECT_FALSE(rig.state().GamePaused);
        EXPECT_EQ(rig.host.calls, c.calls);
    }
}
