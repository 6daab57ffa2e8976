// The game time of the statistics, the per-minute values, and which statistics lines a game
// without specials or a player without a team gets.

#include "net/gamestats.h"

#include <gtest/gtest.h>

using namespace kalvon;

TEST(GameStatistics, GameTimeRoundsHalfToEvenAndBorrowsAMinute)
{
    struct Case {
        int64_t ms;
        int64_t minutes;
        int64_t seconds;
    };
    for (const Case& c : { Case{ 0, 0, 0 }, Case{ 59500, 1, 0 }, Case{ 89500, 1, 30 }, Case{ 100000, 1, 40 },
             Case{ 150000, 2, 30 }, Case{ 210000, 3, 30 }, Case{ 3599400, 59, 59 } }) {
        SCOPED_TRACE(c.ms);
        const GameTime time = gameTimeOf(c.ms);
        EXPECT_EQ(time.minutes, c.minutes);
        EXPECT_EQ(time.seconds, c.seconds);
    }
}

TEST(GameStatistics, PerMinuteValues)
{
    struct Case {
        int64_t n;
        GameTime time;
        const char* text;
    };
    for (const Case& c : { Case{ 25, { 2, 30 }, "10" }, Case{ 20, { 3, 0 }, "6.67" },
             Case{ 5, { 0, 40 }, "7.5" }, Case{ 1, { 8, 0 }, "0.12" }, Case{ 3, { 8, 0 }, "0.38" },
             Case{ 0, { 1, 0 }, "0" }, Case{ 7, { 0, 0 }, "0" } }) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(FormatPerMinute(c.n, c.time), c.text);
    }
}

TEST(GameStatistics, LinesOfGamesWithoutSpecialsOrTeam)
{
    StatisticsInput in;
    in.lines = 3;
    in.time = { 1, 0 };
    in.winners = "Bob";
    in.stats.LinesAddedToAll = 2;
    const std::vector<Bytes> plain = GameStatisticsLines(in);
    ASSERT_EQ(plain.size(), 8u);
    EXPECT_EQ(plain.back(), "Number of lines added to all: 2");

    in.specials = true;
    in.stats.SpecialsUsed = 3;
    const std::vector<Bytes> withSpecials = GameStatisticsLines(in);
    EXPECT_EQ(withSpecials.size(), 16u);
    EXPECT_EQ(withSpecials[14], "Specials used per minute: 3");
    in.onTeam = true;
    EXPECT_EQ(GameStatisticsLines(in).size(), 18u);
}
