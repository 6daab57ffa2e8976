// The block occurrence dialog's boxes: the special boxes' correction, the totals, the defaults,
// what OK accepts and refuses, and when the boxes can be edited.

#include "engine/store/occurrenceboxes.h"
#include "engine/store/options.h"

#include <gtest/gtest.h>

namespace kalvon {
namespace {

TEST(OccurrenceBoxes, SpecialBoxCorrection)
{
    const std::pair<const char*, const char*> cases[] = {
        { "", "100" }, // a cleared box
        { "abc", "100" },
        { "250", "100" },
        { "100.4", "100" },
        { "1e3", "100" },
        { "-5", "0" },
        { "-0.5", "0" },
        { "100", "100" },
        { "0", "0" },
        { "2.5", "2.5" }, // numbers in range stay as typed
        { "007", "007" },
    };
    for (const auto& [typed, kept] : cases)
        EXPECT_EQ(correctedSpecialText(typed), kept) << '"' << typed << '"';
}

TEST(OccurrenceBoxes, OkAcceptsWholePercentagesAndRefusesTheRest)
{
    const OccurrenceTexts defaults = defaultOccurrenceTexts();
    const auto with = [&defaults](size_t box, const char* text) {
        OccurrenceTexts texts = defaults;
        texts[box] = text;
        return texts;
    };
    struct Case {
        const char* name;
        OccurrenceTexts texts;
        std::optional<int> badBox; // nothing: accepted
        size_t box = 0;
        int16_t stored = 0;
    };
    const Case cases[] = {
        { "shape text", with(0, "abc"), 0 },
        { "empty shape box", with(3, ""), 3 },
        { "shape above 100", with(1, "150"), 1 },
        { "shape below 0", with(6, "-1"), 6 },
        { "shape beyond 16 bits", with(2, "40000"), 2 },
        { "special box", with(7 + 15, "x"), 7 + 15 },
        { "first bad box wins",
            [&] {
                OccurrenceTexts texts = with(5, "?");
                texts[9] = "?";
                return texts;
            }(),
            5 },
        { "half to even down", with(0, "2.5"), std::nullopt, 0, 2 },
        { "half to even up", with(0, "3.5"), std::nullopt, 0, 4 },
        { "100.5 rounds to 100", with(4, "100.5"), std::nullopt, 4, 100 },
        { "blanks around", with(7, " 9 "), std::nullopt, 7, 9 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        int badBox = -1;
        const std::optional<BlockOccurancy> read = readOccurrenceBoxes(c.texts, &badBox);
        if (c.badBox) {
            EXPECT_FALSE(read);
            EXPECT_EQ(badBox, *c.badBox);
        } else {
            ASSERT_TRUE(read);
            EXPECT_EQ((*read)[c.box], c.stored);
        }
    }
}

TEST(OccurrenceBoxes, TotalsDefaultsAndStoredValues)
{
    const OccurrenceTexts defaults = defaultOccurrenceTexts();
    EXPECT_EQ(shapeTotalText(defaults), "Total Percent: 100");
    EXPECT_EQ(specialTotalText(defaults), "Total Percent: 100");
    EXPECT_NE(readOccurrenceBoxes(defaults), kDefaultBlockOccurancy) << "the dialog's defaults are its own";

    OccurrenceTexts texts = occurrenceTexts(kDefaultBlockOccurancy);
    for (size_t i = 0; i < 7; ++i)
        texts[i] = i < 3 ? "50" : "0";
    EXPECT_EQ(shapeTotalText(texts), "Total Percent: 150") << "the totals need not be 100";
    ASSERT_TRUE(readOccurrenceBoxes(texts));
    EXPECT_EQ((*readOccurrenceBoxes(texts))[1], 50);
    texts[0] = "abc";
    texts[1] = "99999";
    EXPECT_EQ(shapeTotalText(texts), "Total Percent: 50") << "boxes without a 16-bit number count 0";
    EXPECT_EQ(readOccurrenceBoxes(occurrenceTexts(kDefaultBlockOccurancy)), kDefaultBlockOccurancy);
}

TEST(OccurrenceBoxes, EditableOutsideLocalGames)
{
    EXPECT_TRUE(occurrenceBoxesEnabled(GameMode::OnePlayer, false));
    EXPECT_FALSE(occurrenceBoxesEnabled(GameMode::OnePlayer, true));
    EXPECT_FALSE(occurrenceBoxesEnabled(GameMode::TwoPlayers, true));
    EXPECT_TRUE(occurrenceBoxesEnabled(GameMode::Internet, true));
}

} // namespace
} // namespace kalvon
