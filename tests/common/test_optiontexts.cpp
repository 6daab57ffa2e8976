// Colour texts and the text forms of option values, shared by the settings and theme files.

#include "common/colortext.h"
#include "common/optiontext.h"

#include <gtest/gtest.h>

namespace kalvon {
namespace {

TEST(ColorText, ParseColor)
{
    const struct {
        const char* text;
        int32_t color;
    } cases[] = {
        { "0,128,0", 128 * 256 }, { "255,255,255", kWhite }, { "128,0,128", 128 + 128 * 65536 },
        { " 1 , 2 , 3 ", 1 + 2 * 256 + 3 * 65536 }, { "300,0,0", 255 }, // above 255 counts as 255
        { "-4,0,7", 7 * 65536 }, // below 0 counts as 0
        { "12,34", kWhite }, // no second comma
        { "red", kWhite }, { "1,,3", kWhite }, // an empty part
        { "1,2,x", kWhite }, { "40000,0,0", kWhite }, // beyond 16 bits
        { "1,2,3,4", kWhite }, // "3,4" is not a number
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParseColor(c.text), c.color) << c.text;
}

TEST(ColorText, ColorToStringReadsBack)
{
    EXPECT_EQ(ColorToString(128 * 256), "0,128,0");
    EXPECT_EQ(ColorToString(128 + 128 * 65536), "128,0,128");
    EXPECT_EQ(ColorToString(0), "0,0,0");
    for (int32_t color : { 0, 1, 255, 256, 65535, 65536, 0x123456, kWhite })
        EXPECT_EQ(ParseColor(ColorToString(color)), color) << color;
}

TEST(OptionText, ValuesAndTheirTexts)
{
    EXPECT_EQ(EnabledText(-1), "Enabled");
    EXPECT_EQ(EnabledText(1), "Disabled"); // only VB's true counts
    EXPECT_EQ(YesNoText(-1), "Yes");
    EXPECT_EQ(YesNoText(0), "No");
    EXPECT_EQ(PercentText(0), "Off");
    EXPECT_EQ(PercentText(15), "15%");

    const struct {
        const char* text;
        int16_t value;
    } typed[] = {
        { "Enabled", 1 },
        { "Disabled", 0 },
        { "12", 12 },
        { "7 lines", 7 },
        { "abc", 0 },
        { "", 0 },
        { "2.5", 2 },
        { "99999", 32767 },
        { "-99999", -32768 },
    };
    for (const auto& t : typed)
        EXPECT_EQ(EnabledValue(t.text), t.value) << t.text;
}

} // namespace
} // namespace kalvon
