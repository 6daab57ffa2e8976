// Whole fields and field differences on the wire.

#include "net/wire/field.h"

#include <gtest/gtest.h>

using namespace kalvon;
using namespace kalvon::wire;

TEST(FieldDump, EmptyFieldAndOneCell)
{
    FieldCells field;
    EXPECT_EQ(encodeFieldDump(field), Bytes(264, '\xaa'));

    // Column-major: cell (0, 21) is the 22nd byte; cell (1, 0) the 23rd.
    field.set(0, 21, 3);
    field.set(1, 0, 21);
    field.set(11, 21, 0);
    Bytes expected(264, '\xaa');
    expected[21] = byteChar(93);
    expected[22] = byteChar(111);
    expected[263] = byteChar(90);
    EXPECT_EQ(encodeFieldDump(field), expected);
    EXPECT_EQ(decodeFieldDump(expected), field);
}

TEST(FieldDump, RefusesWrongLengthsAndCells)
{
    const Bytes good(264, '\xaa');
    EXPECT_TRUE(decodeFieldDump(good));
    EXPECT_FALSE(decodeFieldDump(good.substr(1)));
    EXPECT_FALSE(decodeFieldDump(good + '\xaa'));
    for (int bad : { 89, 112, 169, 171, 180, 255 }) {
        Bytes dump = good;
        dump[100] = byteChar(bad);
        EXPECT_FALSE(decodeFieldDump(dump)) << bad;
    }
}

TEST(FieldDiff, EncodesAndDecodesTriples)
{
    EXPECT_EQ(encodeFieldDiff({}), "S");
    const Bytes emptiesLastCell = "\xa1\xab\xaa"; // 161, 171, 170
    EXPECT_EQ(encodeFieldDiff({ { 11, 21, kEmptyCell } }), emptiesLastCell);

    const std::vector<CellChange> changes = { { 0, 0, 0 }, { 11, 21, kEmptyCell }, { 5, 7, 21 } };
    const auto decoded = decodeFieldDiff(encodeFieldDiff(changes));
    ASSERT_TRUE(decoded);
    EXPECT_EQ(*decoded, changes);
    EXPECT_EQ(decodeFieldDiff("S"), std::vector<CellChange>{});
    EXPECT_EQ(decodeFieldDiff("T"), std::vector<CellChange>{});
}

TEST(FieldDiff, RefusesTheWholeDiffForOneBadTriple)
{
    const Bytes good = "\x96\x96\x5a"; // (0, 0) colour 0
    struct Case {
        const char* name;
        Bytes diff;
    };
    const Case cases[] = {
        { "empty", "" },
        { "cut triple", good + "\x96\x96" },
        { "column 12", good + "\xa2\x96\x5a" },
        { "row 22", good + "\x96\xac\x5a" },
        { "negative column", good + "\x95\x96\x5a" },
        { "colour 22", good + "\x96\x96\x70" },
        { "falling piece colour 90", good + "\x96\x96\xb4" },
        { "S with more", "S" + good },
    };
    for (const Case& c : cases)
        EXPECT_EQ(decodeFieldDiff(c.diff), std::nullopt) << c.name;
}

TEST(FieldDiff, DiffIsRowByRowAndAppliesBack)
{
    FieldCells sent;
    FieldCells now;
    now.set(11, 0, 4);
    now.set(0, 1, 7);
    now.set(3, 0, 2);
    const auto changes = diffFields(sent, now);
    EXPECT_EQ(changes, (std::vector<CellChange>{ { 3, 0, 2 }, { 11, 0, 4 }, { 0, 1, 7 } }));
    applyChanges(sent, changes);
    EXPECT_EQ(sent, now);
    EXPECT_TRUE(diffFields(sent, now).empty());
}
