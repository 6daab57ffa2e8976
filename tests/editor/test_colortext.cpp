// The colour boxes' text form.

#include "editor/model/colortext.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

using namespace kalvon::editor;

TEST(ColorText, TextToColorReadsThreeComponentsOrGivesWhite)
{
    const std::vector<std::pair<std::string, uint32_t>> cases = {
        {"255,255,255", 0xFFFFFF}, {"1,2,3", 0x030201}, {"300,0,0", 0x0000FF}, {" 1, 2 ,3", 0x030201},
        {"-5,0,7", 0x070000}, // a negative component counts as 0
        {"", kWhite}, {"255", kWhite}, {"1,2", kWhite}, {",2,3", kWhite}, {"1,,3", kWhite}, {"1,2,", kWhite},
        {"a,1,1", kWhite}, {"40000,0,0", kWhite}, {"1,2,3,4", kWhite}};
    for (const auto& [text, color] : cases)
        EXPECT_EQ(TextToColor(text), color) << text;
}

TEST(ColorText, ColorToTextIsTheInverse)
{
    EXPECT_EQ(ColorToText(0), "0,0,0");
    EXPECT_EQ(ColorToText(0xFFFFFF), "255,255,255");
    EXPECT_EQ(ColorToText(0x008000), "0,128,0");
    EXPECT_EQ(TextToColor(ColorToText(0x123456)), 0x123456u);
}
