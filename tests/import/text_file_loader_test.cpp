#include "import/book_line_breaks.h"
#include "import/text_file_loader.h"

#include "common/text_codec.h"
#include "common/user_file.h"
#include "support/temp_program_folder.h"

#include <gtest/gtest.h>

namespace {

QString cp1251(int code)
{
    return QString(Codec::cp1251Char(code));
}

QString bookText(const QString &relative)
{
    return normaliseLineBreaks(decodeTextBook(UserFile::readBytes(sharedDataPath(relative)).value()));
}

} // namespace

TEST(NormaliseLineBreaks, EveryKindOfBreakBecomesCrLfAndBlankRunsShrink)
{
    const struct
    {
        const char16_t *input;
        const char16_t *expected;
    } cases[] = {
        {u"a\r\nb\rc\nd\x0B"
         "e",
         u"a\r\nb\r\nc\r\nd\r\ne"},
        {u"a\n\rb", u"a\r\n\r\nb"}, // LF CR is two breaks
        {u"a\x07\x01\x15"
         "b",
         u"ab"},                                              // converter leftovers dropped
        {u"a\r\x07\nb", u"a\r\n\r\nb"},                       // a dropped character parts CR from LF
        {u"a\n\n\n\n\n\n\n\n\n\n\nb", u"a\r\n\r\n\r\n\r\nb"}, // ten empty lines -> three
        {u"a\r\n\x07\r\n\r\n\r\n\r\nb", u"a\r\n\r\n\r\n\r\nb"},
        {u"a\r\n\r\n\r\n\r\nb", u"a\r\n\r\n\r\n\r\nb"}, // three empty lines stay
        {u"", u""},
    };
    for (const auto &c : cases)
        EXPECT_EQ(normaliseLineBreaks(QString::fromUtf16(c.input)), QString::fromUtf16(c.expected))
            << QString::fromUtf16(c.input).toStdString();
}

TEST(FixDosText, OnlyMoreDosThanWindowsLettersInTheFirstThousandCharactersConvert)
{
    const QString dosO = cp1251(0xAE);
    const QString windowsO = cp1251(0xEE);
    // CP866 "молоко" read as Windows-1251
    const QString dosMoloko = Codec::fromCp1251(QByteArray("\xAC\xAE\xAB\xAE\xAA\xAE"));
    EXPECT_EQ(fromDosIfCp866(dosMoloko), QStringLiteral("молоко"));
    EXPECT_EQ(fromDosIfCp866(dosO + windowsO), dosO + windowsO); // a tie stays
    EXPECT_EQ(fromDosIfCp866(QString()), QString());
    const QString registered = QString(1000, dosO[0]) + QStringLiteral("молоко");
    EXPECT_NE(fromDosIfCp866(registered), registered); // "®" signs up front decide
    const QString lateDos = QString(1000, u'x') + QString(50, dosO[0]);
    EXPECT_EQ(fromDosIfCp866(lateDos), lateDos); // past the first 1000 they do not
}

TEST(TextBook, TheSameStoryReadsAlikeInUtf8Windows1251AndDos)
{
    REQUIRE_SHARED_DATA();
    const QString windows = bookText(QStringLiteral("books/txt/kashtanka.cp1251.txt"));
    ASSERT_TRUE(windows.contains(QStringLiteral("Каштанка")));
    EXPECT_EQ(bookText(QStringLiteral("books/txt/kashtanka.utf8.txt")), windows);
    // The DOS copy writes dashes as "--" and dots as "...", which CP866
    // lacks; everything else is the same text.
    QString windowsInDosCharacters = windows;
    windowsInDosCharacters.replace(QStringLiteral("—"), QStringLiteral("--"))
        .replace(QStringLiteral("…"), QStringLiteral("..."));
    EXPECT_EQ(bookText(QStringLiteral("books/txt/kashtanka.cp866.txt")).left(3000), windowsInDosCharacters.left(3000));
}

TEST(TextBook, RealCodePageSamplesAreRecognised)
{
    REQUIRE_SHARED_DATA();
    const QString dos = bookText(QStringLiteral("books/encodings/IBM866-_ude_1.txt"));
    const QString windows = bookText(QStringLiteral("books/encodings/windows-1251-russian-_ude_1.txt"));
    EXPECT_EQ(dos, windows);
    EXPECT_GT(windows.count(QStringLiteral("о")), 20);
}

TEST(TextBook, UnicodeMarksAndValidUtf8AreDecodedAsSuch)
{
    const QString text = QStringLiteral("Глава первая\r\nёжик");
    QByteArray utf16le("\xFF\xFE");
    for (const QChar c : text)
        utf16le.append(static_cast<char>(c.unicode() & 0xFF)).append(static_cast<char>(c.unicode() >> 8));
    EXPECT_EQ(decodeTextBook(utf16le), text);
    EXPECT_EQ(decodeTextBook("\xEF\xBB\xBF" + text.toUtf8()), text);
    EXPECT_EQ(decodeTextBook(text.toUtf8()), text);
    EXPECT_EQ(decodeTextBook(Codec::toCp1251(text)), text);
}
