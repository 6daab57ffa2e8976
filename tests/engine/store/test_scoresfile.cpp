// scores.ini: the bytes written for a known table (against a file worked out by hand), reading
// them back, and the damaged files that give the default table.

#include "common/atomicfile.h"
#include "engine/store/scoresfile.h"
#include "support/scratchfolder.h"

#include <gtest/gtest.h>
#include <ostream>

namespace kalvon {

void PrintTo(const HighScoreEntry& entry, std::ostream* out)
{
    *out << '(' << entry.Name << ", " << entry.Score << ')';
}

namespace {

using testing::readFile;
using testing::ScratchFolder;

const std::filesystem::path kKnownFile = std::filesystem::path(KALVON_FIXTURES_DIR) / "scores" / "known.ini";

// What tests/fixtures/scores/known.ini holds: names with a minus, an apostrophe, quotes and a
// Windows-1252 letter; an empty name is written as "Kalvon".
HighScoreTable knownTable()
{
    HighScoreTable table = defaultHighScores();
    table[0] = { "Ann", 1500 };
    table[1] = { "Bo-Jo", 1200 };
    table[2] = { "O'Neil", 900 };
    table[3] = { "Say \"hi\"", 500 };
    table[4] = { "Zo\xEB", 250 };
    table[5] = { "", 100 };
    return table;
}

HighScoreTable knownTableAsRead()
{
    HighScoreTable table = knownTable();
    table[5].Name = "Kalvon";
    return table;
}

TEST(ScoresFile, WritesTheKnownTableByteForByte)
{
    ScratchFolder folder;
    const auto file = folder / "scores.ini";
    ASSERT_TRUE(SaveHighScores(file, knownTable()));
    EXPECT_EQ(readFile(file), readFile(kKnownFile));
}

TEST(ScoresFile, ReadsTheKnownFileBack)
{
    EXPECT_EQ(LoadHighScores(kKnownFile), knownTableAsRead());

    ScratchFolder folder;
    ScoresFile scores(folder / "scores.ini");
    ASSERT_TRUE(scores.SaveHighScores(knownTableAsRead()));
    EXPECT_EQ(scores.load(), knownTableAsRead());
}

TEST(ScoresFile, NameBytesThatCannotShiftAreLeftOut)
{
    ScratchFolder folder;
    HighScoreTable table = defaultHighScores();
    table[0] = { "J\xFFo\xFB", 42 };
    ASSERT_TRUE(SaveHighScores(folder / "scores.ini", table));
    EXPECT_EQ(readFile(folder / "scores.ini").substr(0, 7), "972Ot\r\n");
    EXPECT_EQ(LoadHighScores(folder / "scores.ini")[0], (HighScoreEntry{ "Jo", 42 }));
}

TEST(ScoresFile, ControlCharactersInNamesAreLeftOutSoTheTableSurvives)
{
    // Byte 5 shifts to LF and would cut its line (the file would read as damaged and every
    // score be lost); byte 8 shifts to CR and would be taken for the end of its line.
    const struct {
        Bytes name;
        Bytes stored;
    } cases[] = {
        { "Al\x05x", "Alx" },
        { "Cy\x08", "Cy" },
        { "\tTab\x1f", "Tab" },
        { "\x01\x08", "Kalvon" },
    };
    ScratchFolder folder;
    HighScoreTable table = knownTableAsRead();
    HighScoreTable expected = table;
    for (size_t i = 0; i < std::size(cases); ++i) {
        table[6 + i] = { cases[i].name, int32_t(90 - i) };
        expected[6 + i] = { cases[i].stored, int32_t(90 - i) };
    }
    ASSERT_TRUE(SaveHighScores(folder / "scores.ini", table));
    EXPECT_EQ(LoadHighScores(folder / "scores.ini"), expected);
}

TEST(ScoresFile, ReadsShortAndLooselyEndedFiles)
{
    struct Case {
        const char* name;
        Bytes bytes;
        HighScoreTable expected;
    };
    HighScoreTable annOnly = defaultHighScores();
    annOnly[0] = { "Ann", 1500 };
    HighScoreTable annAndBo = annOnly;
    annAndBo[1] = { "Bo-Jo", 1200 };
    Bytes sixteen = readFile(kKnownFile) + "garbage\r\n";
    HighScoreTable negative = defaultHighScores();
    negative[0] = { "Al", -6902 };
    const Case cases[] = {
        { "an empty file", "", defaultHighScores() },
        { "one line", "6:552Fss\r\n", annOnly },
        { "no line end at the end", "6:552Fss", annOnly },
        { "LF line ends", "6:552Fss\n67552Gt2Ot\n", annAndBo },
        { "empty lines before the first", "\r\n\r\n6:552Fss\r\n", annOnly },
        { "one empty line at the end", "6:552Fss\r\n\r\n", annOnly },
        { "a sixteenth line is not read", sixteen, knownTableAsRead() },
        { "an empty name", "52\r\n", defaultHighScores() },
        { "a negative score, as a hexadecimal one is written", EncodeScoreText("-6902-Al") + "\r\n",
            negative },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(parseHighScores(c.bytes), c.expected);
    }
}

TEST(ScoresFile, ADamagedFileGivesTheDefaultTable)
{
    struct Case {
        const char* name;
        Bytes bytes;
    };
    const Case cases[] = {
        { "a line without a minus", "6:552Fss\r\n" + EncodeScoreText("1200Bo") + "\r\n" },
        { "a score that is no number", "6:552Fss\r\n" + EncodeScoreText("12x0-Bo") + "\r\n" },
        { "an empty score", EncodeScoreText("-Bo") + "\r\n" },
        { "an empty line after the first", "6:552Fss\r\n\r\n67552Gt2Ot\r\n" },
        { "a byte below 5",
            "6:552Fss\r\n67\x04"
            "52Gt2Ot\r\n" },
        { "a byte below 5 past the fifteenth line", readFile(kKnownFile) + "\x01\r\n" },
        { "a score beyond 32 bits", EncodeScoreText("3000000000-Bo") + "\r\n" },
    };
    ScratchFolder folder;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(parseHighScores(c.bytes), std::nullopt);
        const auto file = folder.write("scores.ini", c.bytes);
        EXPECT_EQ(LoadHighScores(file), defaultHighScores());
    }
}

TEST(ScoresFile, AFileThatCannotBeReadGivesTheDefaultTable)
{
    ScratchFolder folder;
    std::filesystem::create_directory(folder / "folder.ini");
    EXPECT_EQ(LoadHighScores(folder / "missing.ini"), defaultHighScores());
    EXPECT_EQ(LoadHighScores(folder / "folder.ini"), defaultHighScores());
    const auto huge = folder.write("huge.ini", Bytes(2 << 20, '6'));
    EXPECT_EQ(LoadHighScores(huge), defaultHighScores());
}

TEST(ScoresFile, AFailedWriteKeepsTheOldFile)
{
    ScratchFolder folder;
    const auto file = folder.write("scores.ini", "6:552Fss\r\n");
    for (const char* failing : { "open", "write", "sync", "rename" }) {
        SCOPED_TRACE(failing);
        setAtomicWriteFaultForTesting([&](std::string_view step) { return step != failing; });
        EXPECT_FALSE(SaveHighScores(file, knownTable()));
        setAtomicWriteFaultForTesting(nullptr);
        EXPECT_EQ(readFile(file), "6:552Fss\r\n");
    }
}

TEST(ScoresFile, LivesBesideTheProgramWhenItsFolderIsWritable)
{
    ScratchFolder folder;
    EXPECT_EQ(scoresFilePath(folder.path()), folder / "scores.ini");
}

} // namespace
} // namespace kalvon
