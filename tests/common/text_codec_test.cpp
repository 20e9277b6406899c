#include "common/text_codec.h"

#include <QSet>
#include <QStringDecoder>

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

TEST(TextCodec, EveryCyrillicCodePageReadsItsLettersAndEachByteIsOneCharacter)
{
    using Codec::CodePage;
    // The same words as iconv writes them in each code page.
    const struct
    {
        CodePage codePage;
        QByteArray hex;
        const char *name;
        const char *icuName;
    } cases[] = {
        {CodePage::Windows1251, "d1fae5f8fc20b8e62c20deebff", "Windows-1251", "windows-1251"},
        {CodePage::Koi8R, "f3dfc5dbd820a3d62c20e0ccd1", "KOI8-R", "KOI8-R"},
        {CodePage::Cp866, "91eaa5e8ec20f1a62c209eabef", "CP866 (DOS)", "IBM866"},
        {CodePage::Iso88595, "c1ead5e8ec20f1d62c20cedbef", "ISO-8859-5", "ISO-8859-5"},
        {CodePage::MacCyrillic, "91fae5f8fc20dee62c209eebdf", "MacCyrillic", "x-mac-cyrillic"},
    };
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(static_cast<char>(b));
    for (const auto &c : cases) {
        EXPECT_EQ(Codec::fromCodePage(QByteArray::fromHex(c.hex), c.codePage), QStringLiteral("Съешь ёж, Юля"))
            << c.name;
        EXPECT_EQ(Codec::codePageName(c.codePage), QString::fromUtf8(c.name));
        const QString characters = Codec::fromCodePage(all, c.codePage);
        ASSERT_EQ(characters.size(), 256) << c.name;
        EXPECT_EQ(QSet<QChar>(characters.begin(), characters.end()).size(), 256) << c.name;
        // Where Qt has the code page too (through ICU), the tables agree,
        // but for bytes one of them leaves undefined and MacCyrillic's last
        // byte (a currency sign or the euro).
        QStringDecoder icu(c.icuName);
        if (icu.isValid()) {
            const QString theirs = icu(all);
            for (int b = 128; b < 256; ++b) {
                if (theirs[b] != QChar::ReplacementCharacter && !(c.codePage == CodePage::MacCyrillic && b == 0xFF)) {
                    EXPECT_EQ(characters[b], theirs[b]) << c.name << " byte " << b;
                }
            }
        }
    }
}
