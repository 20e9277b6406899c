#include "import/book_encoding.h"

#include "common/text_codec.h"
#include "support/code_page_text.h"

#include <gtest/gtest.h>

namespace {

const QString kRussian =
    QStringLiteral("Мороз и солнце; день чудесный! Ещё ты дремлешь, друг прелестный. ").repeated(20);

QByteArray utf8(const QString &text)
{
    return text.toUtf8();
}

// The UTF-8 text with one byte of a letter in the middle broken.
QByteArray utf8WithABadByte()
{
    QByteArray bytes = utf8(kRussian);
    bytes[200] = char(0xFF);
    return bytes;
}

} // namespace

TEST(BookFileEncoding, TheBytesDecideAndTheReportSaysWhat)
{
    const struct
    {
        const char *what;
        QByteArray bytes;
        QString declared;
        QString encoding;
        qsizetype replaced;
        QString overruled;
    } cases[] = {
        {"clean UTF-8", utf8(kRussian), {}, QStringLiteral("UTF-8"), 0, {}},
        {"UTF-8 with one damaged byte", utf8WithABadByte(), {}, QStringLiteral("UTF-8"), 1, {}},
        {"UTF-8 cut inside its last letter", utf8(kRussian + u'ж').chopped(1), {}, QStringLiteral("UTF-8"), 1, {}},
        {"damaged UTF-8 after a mark", "\xEF\xBB\xBF" + utf8WithABadByte(), {}, QStringLiteral("UTF-8"), 1, {}},
        {"Windows-1251", Codec::toCp1251(kRussian), {}, QStringLiteral("Windows-1251"), 0, {}},
        {"Windows-1251 declared UTF-8", Codec::toCp1251(kRussian), QStringLiteral("UTF-8"),
         QStringLiteral("Windows-1251"), 0, QStringLiteral("utf-8")},
        {"UTF-8 declared Windows-1251", utf8(kRussian), QStringLiteral("windows-1251"), QStringLiteral("UTF-8"), 0,
         QStringLiteral("windows-1251")},
        {"KOI8-R as declared",
         inCodePage(kRussian, Codec::CodePage::Koi8R),
         QStringLiteral("koi8-r"),
         QStringLiteral("KOI8-R"),
         0,
         {}},
    };
    for (const auto &c : cases) {
        ReadingReport report;
        const QString text = decodeBookBytes(c.bytes, c.declared, &report);
        EXPECT_EQ(report.encoding, c.encoding) << c.what;
        EXPECT_EQ(report.replacedBytes, c.replaced) << c.what;
        EXPECT_EQ(report.overruledDeclaration, c.overruled) << c.what;
        // Everything but the damaged spot reads right; that is marked.
        EXPECT_EQ(text.count(QChar(0xFFFD)), c.replaced) << c.what;
        EXPECT_EQ(text.count(QStringLiteral("друг прелестный. Мороз")), 19) << c.what;
    }
}

// Plain text declares nothing: its letters tell the code page, and the
// status line names one that is not the usual Windows-1251.
TEST(BookFileEncoding, CyrillicCodePagesAreFoundByTheirLetters)
{
    using Codec::CodePage;
    const struct
    {
        CodePage codePage;
        const char *notes;
    } cases[] = {
        {CodePage::Windows1251, ""},
        {CodePage::Koi8R, "KOI8-R (определена по буквам текста)"},
        {CodePage::Cp866, "CP866 (DOS) (определена по буквам текста)"},
        {CodePage::Iso88595, "ISO-8859-5 (определена по буквам текста)"},
        {CodePage::MacCyrillic, "MacCyrillic (определена по буквам текста)"},
    };
    for (const auto &c : cases) {
        ReadingReport report;
        EXPECT_EQ(decodeBookBytes(inCodePage(kRussian, c.codePage), {}, &report), kRussian);
        EXPECT_EQ(report.encoding, Codec::codePageName(c.codePage));
        EXPECT_FALSE(report.implausibleLetters);
        EXPECT_EQ(report.notes(), QString::fromUtf8(c.notes));
    }
}

// A declared code page stands while its letters read as Russian; a page
// declaring Windows-1251 in KOI8-R is read in KOI8-R and says so.
TEST(BookFileEncoding, ADeclaredCodePageIsKeptUnlessItsLettersAreNotRussian)
{
    using Codec::CodePage;
    ReadingReport kept;
    EXPECT_EQ(decodeBookBytes(inCodePage(kRussian, CodePage::Cp866), QStringLiteral("IBM866"), &kept), kRussian);
    EXPECT_EQ(kept.encoding, QStringLiteral("CP866 (DOS)"));
    EXPECT_TRUE(kept.notes().isEmpty());

    ReadingReport overruled;
    EXPECT_EQ(decodeBookBytes(inCodePage(kRussian, CodePage::Koi8R), QStringLiteral("windows-1251"), &overruled),
              kRussian);
    EXPECT_EQ(overruled.notes(), QStringLiteral("KOI8-R (файл называет кодировку windows-1251, но текст не в ней)"));
}

// The user's choice is followed even where the letters disagree, and the
// report says the letters do not look Russian in it.
TEST(BookFileEncoding, TheChosenEncodingIsFollowed)
{
    const QByteArray koi8 = inCodePage(kRussian, Codec::CodePage::Koi8R);
    ReadingReport right;
    EXPECT_EQ(decodeBookBytes(koi8, {}, &right, BookFileEncoding::Koi8R), kRussian);
    EXPECT_EQ(right.notes(), QStringLiteral("KOI8-R (выбрана вручную)"));

    ReadingReport wrong;
    EXPECT_EQ(decodeBookBytes(koi8, QStringLiteral("koi8-r"), &wrong, BookFileEncoding::Windows1251),
              Codec::fromCp1251(koi8));
    EXPECT_TRUE(wrong.implausibleLetters);
    EXPECT_EQ(wrong.notes(), QStringLiteral("в кодировке Windows-1251 буквы не похожи на русский текст"));

    ReadingReport utf8;
    decodeBookBytes(Codec::toCp1251(QStringLiteral("Мороз")), {}, &utf8, BookFileEncoding::Utf8);
    EXPECT_EQ(utf8.replacedBytes, 5);
}

// Bytes that read as Russian in no code page are read in the likeliest and
// reported, never passed off as a book.
TEST(BookFileEncoding, NoRussianInAnyCodePageIsReported)
{
    QByteArray junk;
    for (int i = 0; i < 4096; ++i)
        junk.append(static_cast<char>(128 + (i * 37) % 128));
    ReadingReport report;
    decodeBookBytes(junk, {}, &report);
    EXPECT_TRUE(report.implausibleLetters);
    EXPECT_TRUE(report.notes().startsWith(QStringLiteral("буквы не похожи на русский текст ни в одной кодировке")))
        << report.notes().toStdString();
}

TEST(BookFileEncoding, NotesNameWhatWasRepairedOrOverruled)
{
    ReadingReport damaged;
    decodeBookBytes(utf8WithABadByte(), {}, &damaged);
    EXPECT_EQ(damaged.notes(), QStringLiteral("UTF-8, 1 повреждённый байт заменён"));
    ReadingReport overruled;
    decodeBookBytes(Codec::toCp1251(kRussian), QStringLiteral("utf-8"), &overruled);
    EXPECT_EQ(overruled.notes(), QStringLiteral("Windows-1251 (файл называет кодировку utf-8, но текст не в ней)"));
    ReadingReport plain;
    decodeBookBytes(utf8(kRussian), QStringLiteral("utf-8"), &plain);
    EXPECT_TRUE(plain.notes().isEmpty());
}
