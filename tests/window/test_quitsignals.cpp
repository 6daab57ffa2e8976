// The real game program ended by a signal (a logout, a kill, Ctrl+C, the terminal closed) goes
// down as File > Exit does: it ends by itself with its stored files written, a game running or
// not. The scripted keyboard starts the game with F2, as a player would.

#include "engine/highscores.h"
#include "engine/store/scoresfile.h"
#include "support/childprogram.h"

#include <csignal>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace kalvon {
namespace {

using testing::ChildProgram;
using testing::readFile;

TEST(GameQuitSignals, TheRealProgramEndsThroughItsUnloadAndWritesItsFiles)
{
    const struct {
        const char* name;
        int signal;
        int times; // a second signal during the shut-down starts nothing again
        const char* script;
        const char* ready;
    } cases[] = {
        { "SIGTERM in a game", SIGTERM, 2, "focus picField(1)|key F2|title Game Time:|say game running",
            "game running" },
        { "SIGHUP in a game", SIGHUP, 1, "focus picField(1)|key F2|title Game Time:|say game running",
            "game running" },
        { "SIGINT idle", SIGINT, 1, "focus picField(1)|say idle", "idle" },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ChildProgram child(KALVON_GAME_PROGRAM, KALVON_DATA_DIR);
        // Line ends the program would not write, so a rewrite shows.
        child.folder.write("kalvon.ini", "[General]\ngamemode=1\n");
        child.folder.write("banlist.txt", "10.0.0.1\n");
        child.start(QString::fromLatin1(c.script));
        ASSERT_TRUE(child.waitForLine(c.ready)) << child.output();

        for (int i = 0; i < c.times; ++i)
            child.sendSignal(c.signal);
        ASSERT_TRUE(child.waitForCleanEnd()) << child.output();

        EXPECT_THAT(
            readFile(child.folder / "kalvon.ini"), ::testing::HasSubstr("[General]\r\ngamemode=1\r\n"));
        EXPECT_EQ(readFile(child.folder / "banlist.txt"), "10.0.0.1\r\n");
        ASSERT_TRUE(std::filesystem::is_regular_file(child.folder / "scores.ini"));
        EXPECT_EQ(ScoresFile(child.folder / "scores.ini").load(), defaultHighScores());
    }
}

} // namespace
} // namespace kalvon
