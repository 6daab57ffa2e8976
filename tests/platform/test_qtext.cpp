// Windows-1252 bytes to QString and back, as widgets show and return text.

#include "platform/qtext.h"

#include <gtest/gtest.h>

using namespace kalvon;

TEST(QText, CodePageCharactersBothWays)
{
    struct Case {
        const char* bytes;
        QString text;
    };
    const Case cases[] = {
        { "\x99", QString(QChar(0x2122)) }, // ™
        { "\x80", QString(QChar(0x20AC)) }, // €
        { "\x9D", QString(QChar(0x009D)) }, // undefined: kept as is
        { "Th\xE8me \x8A\x9F", QStringLiteral(u"Thème ŠŸ") },
    };
    for (const Case& c : cases) {
        EXPECT_EQ(toQString(c.bytes), c.text) << c.bytes;
        EXPECT_EQ(fromQString(c.text), c.bytes) << c.bytes;
    }
}

TEST(QText, EveryByteSurvivesAWidget)
{
    Bytes all;
    for (int code = 0; code < 256; ++code)
        all.push_back(byteChar(code));
    const QString text = toQString(all);
    EXPECT_EQ(text.size(), 256);
    EXPECT_EQ(fromQString(text), all);
}

TEST(QText, CharactersWithoutAByteBecomeQuestionMarks)
{
    // A CJK character, an emoji (two UTF-16 units, one "?"), a lone surrogate.
    const QString text = QStringLiteral(u"a\u4E2Db\U0001F600c") + QChar(0xD800);
    EXPECT_EQ(fromQString(text), "a?b?c?");
}
