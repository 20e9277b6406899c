#include "import/rtf_paragraph_text.h"
#include "import/rtf_reader.h"

#include <gtest/gtest.h>

namespace {

QStringList texts(const RtfDocument &document)
{
    QStringList result;
    for (const RtfParagraph &p : document.paragraphs)
        result.append(p.text);
    return result;
}

QList<int> indents(const RtfDocument &document)
{
    QList<int> result;
    for (const RtfParagraph &p : document.paragraphs)
        result.append(p.firstLineIndent);
    return result;
}

} // namespace

TEST(RtfReader, TextOfTheBodyWithoutTablesOfFontsColoursStylesInfoAndPictures)
{
    const QByteArray rtf =
        "{\\rtf1\\ansi\\ansicpg1251\\deff0{\\fonttbl{\\f0\\fnil\\fcharset204 Times;}{\\f1 Arial;}}"
        "{\\colortbl;\\red255\\green0\\blue0;}{\\stylesheet{\\s1 Heading 1;}}"
        "{\\info{\\title Secret}{\\author Nobody}}{\\*\\generator Writer;}"
        "{\\header Running head\\par}"
        "\\pard\\plain\\b \\'cf\\'f0\\'e8\\'e2\\'e5\\'f2\\b0 , {\\i world}\\par"
        "{\\pict\\pngblip 89504e470d0a}{\\*\\bkmkstart x}after\\tab tab\\line next\\par"
        "{\\field{\\*\\fldinst HYPERLINK \"http://x\"}{\\fldrslt link}} \\{braces\\} \\\\ end\\~!\\par}";
    const RtfDocument doc = readRtf(rtf);
    ASSERT_TRUE(doc.isRtf);
    EXPECT_EQ(texts(doc), (QStringList{QStringLiteral("Привет, world"), QStringLiteral("after\ttab\r\nnext"),
                                       QStringLiteral("link {braces} \\ end") + QChar(char16_t(0xA0)) + u'!'}));
}

TEST(RtfReader, CodePagesUnicodeAndFallbacks)
{
    const struct
    {
        const char *rtf;
        const char16_t *text;
    } cases[] = {
        // the font's character set decides \'hh
        {"{\\rtf1\\ansi{\\fonttbl{\\f0 A;}{\\f1\\fcharset204 B;}}\\f0 \\'e9\\f1 \\'e9}", u"éй"},
        // \uN with one fallback character by default (the "x"), \uc0 and \uc2
        {"{\\rtf1\\ansi \\u1046?\\u-3913 x{\\uc0\\u1046}{\\uc2\\u1046\\'3f\\'3fy}}", u"Ж\uF0B7ЖЖy"},
        // a control word counts as one fallback character
        {"{\\rtf1 \\u1046\\'c6\\u1046\\emdash z}", u"ЖЖz"},
        {"{\\rtf1\\ansi\\ansicpg1251 \\emdash\\endash\\lquote\\rquote\\ldblquote\\rdblquote\\bullet\\-}", u"—–‘’“”•"},
        {"{\\rtf1 a\\bin3 {}\\b}", u"ab"},
        // broken numbers: a huge \\uc swallows a few fallback bytes, not the
        // rest of the group; a code point beyond 16 bits, written whole, is
        // that character; a \\u that is no character keeps its fallback
        {"{\\rtf1{\\uc999999\\u1046 ?????} group goes on}", u"Ж? group goes on"},
        {"{\\rtf1 \\u128512 ?\\u-10179?\\u-8704?}", u"\U0001F600\U0001F600"},
        {"{\\rtf1 \\u-40000 X\\u70000000 Y}", u"XY"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(rtfPlainText(readRtf(c.rtf)), QString::fromUtf16(c.text)) << c.rtf;
}

TEST(RtfReader, ParagraphIndentsFollowPardFiAndLi)
{
    const QByteArray rtf = "{\\rtf1 \\pard\\fi720 one\\par two\\par\\pard flush\\par"
                           "\\pard\\li567 left\\par\\pard\\li720\\fi-720 hanging\\par"
                           "{\\pard\\fi300 grouped\\par}plain\\par}";
    const RtfDocument doc = readRtf(rtf);
    EXPECT_EQ(texts(doc), (QStringList{"one", "two", "flush", "left", "hanging", "grouped", "plain"}));
    EXPECT_EQ(indents(doc), (QList<int>{720, 720, 0, 567, 0, 300, 0}));
    // Indents near the ends of an int add up without overflowing.
    const RtfDocument broken =
        readRtf("{\\rtf1\\li2147483647\\fi2147483647 wide\\par\\li-2147483647\\fi-9 narrow\\par}");
    EXPECT_GT(indents(broken).value(0), 0);
    EXPECT_LT(indents(broken).value(1), 0);
    EXPECT_EQ(rtfParagraphText(doc),
              QStringLiteral("    one\r\n    two\r\nflush\r\n    left\r\nhanging\r\n    grouped\r\nplain"));
}

TEST(RtfReader, EmptyParagraphsStayAndIndentedEmptyOnesGetNoSpaces)
{
    const RtfDocument doc = readRtf("{\\rtf1\\fi400 a\\par\\par b\\par}");
    EXPECT_EQ(texts(doc), (QStringList{"a", "", "b"}));
    EXPECT_EQ(rtfParagraphText(doc), QStringLiteral("    a\r\n\r\n    b"));
}

TEST(RtfReader, BadInputGivesWhatWasRead)
{
    EXPECT_FALSE(readRtf("plain text, not RTF").isRtf);
    EXPECT_FALSE(readRtf(QByteArray()).isRtf);
    // truncated: unclosed groups, a cut control word and a cut \'h
    EXPECT_EQ(rtfPlainText(readRtf("{\\rtf1{\\fonttbl{\\f0 A;}}\\pard first\\par{\\b second \\'c")),
              QStringLiteral("first\r\nsecond "));
    EXPECT_EQ(rtfPlainText(readRtf("{\\rtf1 text\\u")), QStringLiteral("text"));
    // too many closing braces, stray bytes
    EXPECT_EQ(rtfPlainText(readRtf(QByteArray("{\\rtf1 a}}}b\0c", 14))), QStringLiteral("abc"));
}
