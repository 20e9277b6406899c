#include "import/book_encoding.h"

#include "common/text_codec.h"

#include <QStringEncoder>

#include <gtest/gtest.h>

namespace {

const QString kRussian =
    QStringLiteral("Мороз и солнце; день чудесный! Ещё ты дремлешь, друг прелестный. ").repeated(20);

QByteArray utf8(const QString &text)
{
    return text.toUtf8();
}

QByteArray koi8r(const QString &text)
{
    QStringEncoder encoder("KOI8-R");
    return encoder(text);
}

// The UTF-8 text with one byte of a letter in the middle broken.
QByteArray utf8WithABadByte()
{
    QByteArray bytes = utf8(kRussian);
    bytes[200] = char(0xFF);
    return bytes;
}

} // namespace

TEST(BookEncoding, TheBytesDecideAndTheReportSaysWhat)
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
        {"KOI8-R as declared", koi8r(kRussian), QStringLiteral("koi8-r"), QStringLiteral("KOI8-R"), 0, {}},
    };
    for (const auto &c : cases) {
        ReadingReport report;
        const QString text = decodeBookBytes(c.bytes, c.declared, SingleByteGuess::Windows1251, &report);
        EXPECT_EQ(report.encoding, c.encoding) << c.what;
        EXPECT_EQ(report.replacedBytes, c.replaced) << c.what;
        EXPECT_EQ(report.overruledDeclaration, c.overruled) << c.what;
        // Everything but the damaged spot reads right; that is marked.
        EXPECT_EQ(text.count(QChar(0xFFFD)), c.replaced) << c.what;
        EXPECT_EQ(text.count(QStringLiteral("друг прелестный. Мороз")), 19) << c.what;
    }
}

TEST(BookEncoding, DosTextsAreFoundOnlyWhenAsked)
{
    QStringEncoder dos("IBM866");
    const QByteArray bytes = dos(kRussian);
    ReadingReport report;
    EXPECT_EQ(decodeBookBytes(bytes, {}, SingleByteGuess::Windows1251OrDos, &report), kRussian);
    EXPECT_EQ(report.encoding, QStringLiteral("CP866 (DOS)"));
    EXPECT_TRUE(report.notes().isEmpty());
}

TEST(BookEncoding, NotesNameWhatWasRepairedOrOverruled)
{
    ReadingReport damaged;
    decodeBookBytes(utf8WithABadByte(), {}, SingleByteGuess::Windows1251, &damaged);
    EXPECT_EQ(damaged.notes(), QStringLiteral("UTF-8, 1 повреждённый байт заменён"));
    ReadingReport overruled;
    decodeBookBytes(Codec::toCp1251(kRussian), QStringLiteral("utf-8"), SingleByteGuess::Windows1251, &overruled);
    EXPECT_EQ(overruled.notes(), QStringLiteral("Windows-1251 (файл называет кодировку utf-8, но текст не в ней)"));
    ReadingReport plain;
    decodeBookBytes(utf8(kRussian), QStringLiteral("utf-8"), SingleByteGuess::Windows1251, &plain);
    EXPECT_TRUE(plain.notes().isEmpty());
}
