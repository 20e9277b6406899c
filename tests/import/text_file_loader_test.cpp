#include "import/book_line_breaks.h"
#include "import/fb2_file.h"
#include "import/html_converter.h"
#include "import/text_file_loader.h"

#include "common/text_codec.h"
#include "common/user_file.h"
#include "support/code_page_text.h"
#include "support/temp_program_folder.h"

#include <QDirIterator>

#include <gtest/gtest.h>

namespace {

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

// Every book and page of ../shared/books is read in the encoding its name
// gives, and its copies in KOI8-R, ISO-8859-5 and MacCyrillic are known too.
TEST(TextBook, EverySharedBookIsReadInItsEncoding)
{
    REQUIRE_SHARED_DATA();
    using Codec::CodePage;
    const struct
    {
        const char *nameHas;
        const char *encoding;
    } expected[] = {{"cp1251", "Windows-1251"},
                    {"windows-1251", "Windows-1251"},
                    {"cp866", "CP866 (DOS)"},
                    {"IBM866", "CP866 (DOS)"},
                    {"utf8", "UTF-8"}};
    int files = 0;
    QDirIterator books(sharedDataPath(QStringLiteral("books")), QDir::Files, QDirIterator::Subdirectories);
    while (books.hasNext()) {
        const QString path = books.next();
        const QByteArray bytes = UserFile::readBytes(path).value();
        ReadingReport report;
        if (path.endsWith(QStringLiteral(".txt")))
            decodeTextBook(bytes, &report);
        else if (path.endsWith(QStringLiteral(".html")))
            htmlToText(bytes, &report);
        else if (path.endsWith(QStringLiteral(".xml")) || path.endsWith(QStringLiteral(".fb2")))
            decodeFb2File(bytes, &report);
        else
            continue;
        ++files;
        QString encoding;
        for (const auto &e : expected)
            if (path.section(u'/', -1).contains(QString::fromUtf8(e.nameHas)))
                encoding = QString::fromUtf8(e.encoding);
        EXPECT_EQ(report.encoding, encoding) << path.toStdString();
        EXPECT_FALSE(report.implausibleLetters) << path.toStdString();
        EXPECT_TRUE(report.overruledDeclaration.isEmpty()) << path.toStdString();
        if (!path.endsWith(QStringLiteral(".txt")) || encoding != u"Windows-1251")
            continue;
        const QString text = Codec::fromCp1251(bytes);
        for (const CodePage codePage : {CodePage::Koi8R, CodePage::Iso88595, CodePage::MacCyrillic}) {
            const QByteArray copy = inCodePage(text, codePage);
            ReadingReport copyReport;
            EXPECT_EQ(decodeTextBook(copy, &copyReport), Codec::fromCodePage(copy, codePage)) << path.toStdString();
            EXPECT_EQ(copyReport.encoding, Codec::codePageName(codePage)) << path.toStdString();
        }
    }
    EXPECT_EQ(files, 30);
}
