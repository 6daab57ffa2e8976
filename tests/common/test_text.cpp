// Windows-1252 text: the code page table, its conversions, and case-blind comparison.

#include "common/bytes.h"
#include "common/cp1252.h"

#include <gtest/gtest.h>

using namespace kalvon;

namespace {

TEST(Cp1252, BytesAndCodePointsBothWays)
{
    struct Case {
        unsigned char byte;
        char16_t codePoint;
    };
    const Case cases[] = {
        { 0x41, u'A' },
        { 0x80, 0x20AC }, // €
        { 0x99, 0x2122 }, // ™
        { 0x8A, 0x0160 }, // Š
        { 0x9F, 0x0178 }, // Ÿ
        { 0x9D, 0x009D }, // undefined in the code page: kept as its C1 control
        { 0x81, 0x0081 },
        { 0xA0, 0x00A0 },
        { 0xE9, 0x00E9 }, // é
        { 0xFF, 0x00FF },
    };
    for (const Case& c : cases) {
        EXPECT_EQ(cp1252ToUnicode(c.byte), c.codePoint) << int(c.byte);
        EXPECT_EQ(unicodeToCp1252(c.codePoint), c.byte) << int(c.byte);
    }
}

TEST(Cp1252, EveryByteSurvivesARoundTrip)
{
    Bytes all;
    for (int code = 0; code < 256; ++code)
        all.push_back(byteChar(code));
    EXPECT_EQ(encodeCp1252(decodeCp1252(all)), all);
    EXPECT_EQ(utf8ToCp1252(cp1252ToUtf8(all)), all);
}

TEST(Cp1252, CharactersWithoutAByteBecomeQuestionMarks)
{
    // Ā, a CJK character, a character beyond U+FFFF (one "?", not two), a lone surrogate.
    std::u16string text = u"a\u0100x\u4E2Dy\U0001F600z";
    text += char16_t(0xD800);
    EXPECT_EQ(encodeCp1252(text), "a?x?y?z?");
    // The same in UTF-8, and bytes that are no UTF-8: a stray 0xFF, a cut-off sequence.
    EXPECT_EQ(utf8ToCp1252("a\xC4\x80x\xF0\x9F\x98\x80y\xFFz\xE2\x84"), "a?x?y?z??");
}

TEST(Cp1252, FileNamesGoThroughUtf8)
{
    EXPECT_EQ(cp1252ToUtf8("Th\xE8me \x99\x80"), "Th\xC3\xA8me \xE2\x84\xA2\xE2\x82\xAC");
    EXPECT_EQ(utf8ToCp1252("Th\xC3\xA8me \xE2\x84\xA2\xE2\x82\xAC"), "Th\xE8me \x99\x80");
}

TEST(ByteText, CaseBlindOverWindows1252Letters)
{
    struct Case {
        const char* a;
        const char* b;
        bool equal;
    };
    const Case cases[] = {
        { "General", "GENERAL", true },
        { "\xC9t\xE9", "\xE9T\xC9", true }, // Été / éTÉ
        { "\xC0\xC9\xD6\xDE", "\xE0\xE9\xF6\xFE", true }, // ÀÉÖÞ / àéöþ
        { "\x8A\x8C\x8E\x9F", "\x9A\x9C\x9E\xFF", true }, // ŠŒŽŸ / šœžÿ
        { "\xD7", "\xF7", false }, // × and ÷ are not a pair
        { "\xDF", "SS", false }, // ß has no capital here
        { "a", "\xE0", false }, // a / à
        { "[", "{", false }, // 0x5B / 0x7B are not letters
        { "abc", "abcd", false },
    };
    for (const Case& c : cases)
        EXPECT_EQ(equalsNoCase(c.a, c.b), c.equal) << c.a << " / " << c.b;

    EXPECT_EQ(toUpper("\xE4\xF6\xFC \xFF x\xF7y"), "\xC4\xD6\xDC \x9F X\xF7Y");
    EXPECT_EQ(toLower("\xC4\xD6\xDC \x9F X\xD7Y"), "\xE4\xF6\xFC \xFF x\xD7y");
    EXPECT_LT(compareNoCase("apple", "BANANA"), 0);
    EXPECT_GT(compareNoCase("\xE9t\xE9", "\xC9T"), 0);
}

} // namespace
