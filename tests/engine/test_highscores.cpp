// The high-score table: the score file's shift, and ranking a finished game with its name
// prompt.

#include "highscorefakes.h"
#include "support/scripteddialogs.h"

#include <gtest/gtest.h>

using namespace kalvon;
using namespace kalvon::testing;

TEST(ScoreText, ShiftsEveryByteByFive)
{
    EXPECT_EQ(EncodeScoreText("abc"), "fgh");
    EXPECT_EQ(EncodeScoreText("1500-Ann"), "6:552Fss");
    EXPECT_EQ(DecodeScoreText("6:552Fss"), Bytes("1500-Ann"));
    // Bytes 0..250 go to 5..255 and back.
    Bytes all;
    for (int code = 0; code <= 250; ++code)
        all += byteChar(code);
    const Bytes encoded = EncodeScoreText(all);
    EXPECT_EQ(byteCode(encoded.front()), 5);
    EXPECT_EQ(byteCode(encoded.back()), 255);
    EXPECT_EQ(DecodeScoreText(encoded), all);
}

TEST(ScoreText, BytesThatCannotShiftAreDroppedOrRefused)
{
    EXPECT_EQ(EncodeScoreText("J\xFBo\xFF"), "Ot") << "251..255 have nothing five above them";
    EXPECT_EQ(DecodeScoreText("Ot\x04"), std::nullopt) << "no text encodes to a byte below 5";
    EXPECT_EQ(DecodeScoreText(""), Bytes());
}

namespace {

HighScoreTable tableOf(std::initializer_list<HighScoreEntry> top)
{
    HighScoreTable table = defaultHighScores();
    std::copy(top.begin(), top.end(), table.begin());
    return table;
}

struct HighScoreRig {
    ScriptedDialogs dialogs;
    RecordingHighScoreStore store;
    RecordingHighScoreView view;
    HighScores highScores{ dialogs, store, view };
};

} // namespace

TEST(CheckHighScore, RanksAboveLowerScoresAndAsksTheName)
{
    HighScoreTable full;
    for (int i = 0; i < kHighScoreRanks; ++i)
        full[static_cast<size_t>(i)] = { "P" + std::to_string(i + 1), 1500 - 100 * i };
    struct Case {
        const char* name;
        int32_t score;
        std::optional<Bytes> answer;
        HighScoreTable after;
        Bytes prompt;
    };
    HighScoreTable first = full;
    std::move_backward(first.begin(), first.end() - 1, first.end());
    first[0] = { "Ann", 1600 };
    HighScoreTable tied = full;
    std::move_backward(tied.begin() + 4, tied.end() - 1, tied.end());
    tied[4] = { "Unknown", 1200 };
    HighScoreTable last = full;
    last[14] = { "Ze-ro", 101 };
    const Case cases[] = {
        { "a new first place pushes the rest down", 1600, Bytes("Ann"), first,
            "Congratulations, you are ranked #1\rEnter your name" },
        { "an equal score ranks below, a cancelled name is Unknown", 1200, std::nullopt, tied,
            "Congratulations, you are ranked #5\rEnter your name" },
        { "the last rank; control bytes leave the name", 101, Bytes("Ze\r\n-\bro"), last,
            "Congratulations, you are ranked #15\rEnter your name" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HighScoreRig rig;
        rig.highScores.setTable(full);
        rig.dialogs.inputAnswers.push_back(c.answer);

        rig.highScores.CheckHighScore(c.score);

        ASSERT_EQ(rig.dialogs.calls.size(), 1u);
        EXPECT_EQ(rig.dialogs.calls[0].kind, "input");
        EXPECT_EQ(rig.dialogs.calls[0].text, c.prompt);
        EXPECT_EQ(rig.highScores.table(), c.after);
        EXPECT_EQ(rig.store.saved, std::vector<HighScoreTable>{ c.after });
        EXPECT_EQ(rig.view.shown.back(), c.after);
        EXPECT_EQ(rig.view.windowShown, 1);
    }
}

TEST(CheckHighScore, AScoreThatRanksNowhereAsksNothing)
{
    struct Case {
        const char* name;
        HighScoreTable table;
        int32_t score;
    };
    const Case cases[] = {
        { "0 against the default table", defaultHighScores(), 0 },
        { "equal to the last rank", tableOf({ { "A", 900 }, { "B", 800 } }), 0 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HighScoreRig rig;
        rig.highScores.setTable(c.table);
        rig.highScores.CheckHighScore(c.score);
        EXPECT_TRUE(rig.dialogs.calls.empty());
        EXPECT_TRUE(rig.store.saved.empty());
        EXPECT_EQ(rig.view.windowShown, 0);
        EXPECT_EQ(rig.highScores.table(), c.table);
    }
}

TEST(CheckHighScore, AnEmptyAnswerIsUnknown)
{
    HighScoreRig rig;
    rig.dialogs.inputAnswers.push_back(Bytes(""));
    rig.highScores.CheckHighScore(10);
    EXPECT_EQ(rig.highScores.table()[0], (HighScoreEntry{ "Unknown", 10 }));
    EXPECT_EQ(rig.highScores.table()[1], (HighScoreEntry{ "Kalvon", 0 }));
}

TEST(CheckHighScore, AFailedSaveIsToldAndTheTableStillShown)
{
    HighScoreRig rig;
    rig.store.writable = false;
    rig.dialogs.inputAnswers.push_back(Bytes("Ann"));
    rig.highScores.CheckHighScore(10);
    ASSERT_EQ(rig.dialogs.calls.size(), 2u);
    EXPECT_EQ(rig.dialogs.calls[1].kind, "message");
    EXPECT_EQ(rig.dialogs.calls[1].text, "Could not save the high scores!");
    EXPECT_EQ(rig.dialogs.calls[1].title, "Error");
    EXPECT_EQ(rig.dialogs.calls[1].icon, MessageIcon::Critical);
    EXPECT_EQ(rig.view.shown.back()[0], (HighScoreEntry{ "Ann", 10 }));
    EXPECT_EQ(rig.view.windowShown, 1);
}
