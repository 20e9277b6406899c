#include "common/text_codec.h"

#include <gtest/gtest.h>

TEST(TextCodec, Cp1251RoundTripsEveryByte)
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(static_cast<char>(b));
    EXPECT_EQ(Codec::toCp1251(Codec::fromCp1251(all)), all);
}

TEST(TextCodec, NamedCodesAndCyrillic)
{
    EXPECT_EQ(Codec::cp1251Char(160), QChar(0x00A0));
    EXPECT_EQ(Codec::cp1251Char(171), QChar(u'«'));
    EXPECT_EQ(Codec::cp1251Char(151), QChar(u'—'));
    EXPECT_EQ(Codec::cp1251Char(168), QChar(u'Ё'));
    EXPECT_EQ(Codec::cp1251Code(QChar(u'я')), 255);
    EXPECT_EQ(Codec::cp1251Code(QChar(0x4E2D)), -1);
    EXPECT_EQ(Codec::fromCp1251("\xcf\xf0\xe8\xe2\xe5\xf2"), QStringLiteral("Привет"));
}

TEST(TextCodec, CharactersOutsideTheCodePageBecomeQuestionMarks)
{
    // A CJK character and an emoji (a surrogate pair) each give one "?".
    EXPECT_EQ(Codec::toCp1251(QStringLiteral("a中b😀c")), QByteArray("a?b?c"));
}

TEST(TextCodec, Cp866Cyrillic)
{
    EXPECT_EQ(Codec::fromCp866("\x8f\xe0\xa8\xa2\xa5\xe2\xf1\xf0"), QStringLiteral("ПриветёЁ"));
}

TEST(TextCodec, DetectsUtf8AndBoms)
{
    const QString text = QStringLiteral("Ёлка и ёж");
    EXPECT_TRUE(Codec::looksLikeUtf8(text.toUtf8()));
    EXPECT_FALSE(Codec::looksLikeUtf8("plain ascii"));
    EXPECT_FALSE(Codec::looksLikeUtf8(Codec::toCp1251(text)));
    EXPECT_FALSE(Codec::looksLikeUtf8("\xd0"));     // truncated sequence
    EXPECT_FALSE(Codec::looksLikeUtf8("\xc0\x80")); // overlong NUL
    EXPECT_EQ(Codec::decodeUserFile(text.toUtf8()), text);
    EXPECT_EQ(Codec::decodeUserFile("\xEF\xBB\xBF" + text.toUtf8()), text);
    EXPECT_EQ(Codec::decodeUserFile(Codec::toCp1251(text)), text);
    QByteArray utf16le("\xFF\xFE", 2);
    for (QChar c : text) {
        utf16le.append(static_cast<char>(c.unicode() & 0xFF));
        utf16le.append(static_cast<char>(c.unicode() >> 8));
    }
    EXPECT_EQ(Codec::decodeUserFile(utf16le), text);
}
