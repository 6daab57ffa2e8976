// The Visual-Basic-style conversions: rounding, range checks, reading and writing numbers,
// always with "." whatever the locale.

#include "common/vbconv.h"

#include <clocale>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <locale>
#include <sstream>

using namespace kalvon;
using namespace std::string_view_literals;

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

TEST(VbConversions, RoundHalfEvenDecidesOnTheExactValue)
{
    struct Case {
        double value;
        int decimals;
        double expected;
    };
    const Case cases[] = {
        { 2.5, 0, 2 },
        { 3.5, 0, 4 },
        { -2.5, 0, -2 },
        { -3.5, 0, -4 },
        { 0.5, 0, 0 },
        { 1.5, 0, 2 },
        { 2.6, 0, 3 },
        { -2.6, 0, -3 },
        { 0.49999999999999994, 0, 0 }, // floor(x + 0.5) would give 1
        { -0.49999999999999994, 0, 0 },
        { 0.125, 2, 0.12 },
        { 0.375, 2, 0.38 },
        { -0.125, 2, -0.12 },
        // Decimal-looking halves are not halves as doubles: the stored value decides, even
        // where the scaled product happens to round to exactly .5.
        { 1.115, 2, 1.11 }, // 111.49999.. scales to 111.5
        { 2.675, 2, 2.67 }, // 267.49999.. scales to 267.5
        { 0.025, 2, 0.03 }, // 2.50000..1 scales to 2.5
        { 12345.6789, 2, 12345.68 },
        { 4503599627370497.0, 0, 4503599627370497.0 }, // already whole
        { 1e300, 2, 1e300 },
    };
    for (const Case& c : cases) {
        EXPECT_EQ(vb::roundHalfEven(c.value, c.decimals), c.expected)
            << c.value << " to " << c.decimals << " decimals";
    }
    EXPECT_FALSE(std::signbit(vb::roundHalfEven(-0.4)));
    EXPECT_TRUE(std::isnan(vb::roundHalfEven(kNaN, 2)));
}

TEST(VbConversions, CIntAndCLngRoundThenCheckTheRange)
{
    struct Case {
        double value;
        std::optional<int16_t> asInt;
        std::optional<int32_t> asLong;
    };
    const Case cases[] = {
        { 2.5, 2, 2 },
        { 3.5, 4, 4 },
        { -2.5, -2, -2 },
        { 32767.4, 32767, 32767 },
        { 32767.5, std::nullopt, 32768 }, // rounds to 32768
        { -32768.5, -32768, -32768 }, // rounds to the even -32768
        { -32768.6, std::nullopt, -32769 },
        { 2147483646.5, std::nullopt, 2147483646 },
        { 2147483647.5, std::nullopt, std::nullopt },
        { -2147483648.5, std::nullopt, std::numeric_limits<int32_t>::min() },
        { kNaN, std::nullopt, std::nullopt },
        { kInf, std::nullopt, std::nullopt },
        { -kInf, std::nullopt, std::nullopt },
    };
    for (const Case& c : cases) {
        EXPECT_EQ(vb::CInt(c.value), c.asInt) << c.value;
        EXPECT_EQ(vb::CLng(c.value), c.asLong) << c.value;
    }
}

TEST(VbConversions, IntIsFloor)
{
    EXPECT_EQ(vb::Int(-2.5), -3);
    EXPECT_EQ(vb::Int(2.5), 2);
    EXPECT_EQ(vb::Int(-3.0), -3);
    EXPECT_EQ(vb::Int(0.9999999999999999), 0);
}

TEST(VbConversions, IsNumericValAndToNumber)
{
    struct Case {
        BytesView text;
        std::optional<double> number; // toNumber; IsNumeric is whether there is one
        double val;
    };
    const Case cases[] = {
        { "1.91", 1.91, 1.91 },
        { "  -3.5\t", -3.5, -3.5 },
        { "+7", 7, 7 },
        { ".5", 0.5, 0.5 },
        { "5.", 5, 5 },
        { "1E3", 1000, 1000 },
        { "2.5d-1", 0.25, 0.25 },
        { "&HFF", 255, 255 },
        { "&hFFFF", -1, -1 }, // four hex digits are a 16-bit value
        { "&H10000", 65536, 65536 },
        { "&HFFFFFFFF", -1, -1 },
        { "&O17", 15, 15 },
        { "1e", std::nullopt, 1 }, // an exponent needs digits
        { "1,5", std::nullopt, 1 }, // "," is never a decimal point
        { "1.2.3", std::nullopt, 1.2 },
        { "12abc", std::nullopt, 12 },
        { "1 000", std::nullopt, 1000 }, // Val skips blanks inside
        { " - 3", std::nullopt, -3 },
        { "4\n2", std::nullopt, 42 },
        { "", std::nullopt, 0 },
        { "   ", std::nullopt, 0 },
        { ".", std::nullopt, 0 },
        { "-", std::nullopt, 0 },
        { "abc", std::nullopt, 0 },
        { "&H", std::nullopt, 0 },
        { "&HG", std::nullopt, 0 },
        { "&O8", std::nullopt, 0 },
        { "&H1FFFFFFFF", std::nullopt, 536870911 }, // Val keeps the digits that fit 32 bits
        { "1e999", std::nullopt, 0 }, // beyond a double
        { "1\0x"sv, std::nullopt, 1 },
    };
    for (const Case& c : cases) {
        EXPECT_EQ(vb::IsNumeric(c.text), c.number.has_value()) << '"' << c.text << '"';
        EXPECT_EQ(vb::toNumber(c.text), c.number) << '"' << c.text << '"';
        EXPECT_EQ(vb::Val(c.text), c.val) << '"' << c.text << '"';
    }
}

TEST(VbConversions, CIntAndCLngOfText)
{
    EXPECT_EQ(vb::CInt(BytesView("2.5")), 2);
    EXPECT_EQ(vb::CInt(BytesView(" 3.5 ")), 4);
    EXPECT_EQ(vb::CInt(BytesView("&HFFFF")), -1);
    EXPECT_EQ(vb::CInt(BytesView("32768")), std::nullopt);
    EXPECT_EQ(vb::CInt(BytesView("12abc")), std::nullopt);
    EXPECT_EQ(vb::CLng(BytesView("32768")), 32768);
    EXPECT_EQ(vb::CLng(BytesView("2147483648")), std::nullopt);
    EXPECT_EQ(vb::CLng(BytesView("")), std::nullopt);
}

TEST(VbConversions, FormatGeneral)
{
    struct Case {
        double value;
        const char* text;
    };
    const Case cases[] = {
        { 0, "0" },
        { -0.0, "0" },
        { 1, "1" },
        { 100, "100" },
        { -0.5, "-0.5" },
        { 1.91, "1.91" },
        { 0.1 + 0.2, "0.3" },
        { 2.0 / 3.0, "0.666666666666667" },
        { 12345.678, "12345.678" },
        { 123456789012345.0, "123456789012345" },
        { 1e15, "1E+15" },
        { 1.5e15, "1.5E+15" },
        { 999999999999999.9, "1E+15" }, // rounds up into the exponent form
        { 1234567890123456789.0, "1.23456789012346E+18" },
        { 1e100, "1E+100" },
        { 0.0001, "0.0001" },
        { 0.00001, "1E-05" },
        { -0.000015, "-1.5E-05" },
        { 1.5e-300, "1.5E-300" },
    };
    for (const Case& c : cases)
        EXPECT_EQ(vb::formatGeneral(c.value), c.text) << c.text;
}

TEST(VbConversions, FormatInt)
{
    EXPECT_EQ(vb::formatInt(0), "0");
    EXPECT_EQ(vb::formatInt(-32768), "-32768");
    EXPECT_EQ(vb::formatInt(std::numeric_limits<int64_t>::min()), "-9223372036854775808");
}

// Puts a German-style locale (decimal ",", thousands ".") in place for the C++ streams and,
// when the machine has one, for the C library; restores both afterwards.
class GermanLocale {
public:
    GermanLocale()
        : m_cLocale(std::setlocale(LC_ALL, nullptr))
    {
        for (const char* name : { "de_DE.UTF-8", "de_DE.utf8", "de_DE", "de_DE@euro" }) {
            if (std::setlocale(LC_ALL, name)) {
                m_cGerman = true;
                break;
            }
        }
        m_cppLocale = std::locale::global(std::locale(std::locale::classic(), new CommaPoint));
    }
    ~GermanLocale()
    {
        std::locale::global(m_cppLocale);
        std::setlocale(LC_ALL, m_cLocale.c_str());
    }
    bool cGerman() const { return m_cGerman; }

private:
    struct CommaPoint : std::numpunct<char> {
        char do_decimal_point() const override { return ','; }
        char do_thousands_sep() const override { return '.'; }
        std::string do_grouping() const override { return "\3"; }
    };
    std::string m_cLocale;
    std::locale m_cppLocale;
    bool m_cGerman = false;
};

TEST(VbConversions, IgnoreTheMachineLocale)
{
    GermanLocale german;
    // The locale really is in force: streams write "," ...
    std::ostringstream probe;
    probe << 1.5;
    ASSERT_EQ(probe.str(), "1,5");
    // ... and so does the C library when the machine has a German locale.
    if (german.cGerman()) {
        ASSERT_STREQ(std::localeconv()->decimal_point, ",");
    }

    EXPECT_EQ(vb::Val("1.91"), 1.91);
    EXPECT_EQ(vb::toNumber("1.91"), 1.91);
    EXPECT_EQ(vb::toNumber("1234.5"), 1234.5);
    EXPECT_FALSE(vb::IsNumeric("1,91"));
    EXPECT_EQ(vb::CInt(BytesView("2.5")), 2);
    EXPECT_EQ(vb::formatGeneral(1.91), "1.91");
    EXPECT_EQ(vb::formatGeneral(1234.5), "1234.5");
    EXPECT_EQ(vb::formatGeneral(1.5e-5), "1.5E-05");
}

} // namespace
