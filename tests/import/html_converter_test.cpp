#include "import/book_line_breaks.h"
#include "import/html_converter.h"

#include "common/text_codec.h"
#include "common/user_file.h"
#include "support/temp_program_folder.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

namespace {

const QChar kLineBreak(char16_t(11));
const QString kNbsp = QString(QChar(char16_t(0xA0)));

} // namespace

TEST(HtmlConverter, BlocksEndInCrBreaksGiveElevenAndSpacesCollapse)
{
    const QString text = htmlPageToText(QStringLiteral(
        "<html><head><title>Заголовок окна</title><style>p{color:red}</style></head>"
        "<body><h1>Глава\n  1</h1><p>Первая   строка<br>вторая</p>"
        "<script>var x = '<p>нет</p>';</script>"
        "<div>Тут&nbsp;&nbsp;так &laquo;ёлка&raquo; &amp; &#1046;</div><ul><li>один</li><li>два</li></ul>"
        "хвост</body></html>"));
    EXPECT_EQ(text, QStringLiteral("Глава 1\rПервая строка") + kLineBreak + QStringLiteral("вторая\rТут") + kNbsp
                        + kNbsp + QStringLiteral("так «ёлка» & Ж\rодин\rдва\rхвост\r"));
}

TEST(HtmlConverter, TheDeclaredCharsetIsHonoured)
{
    const QString expected = QStringLiteral("Привет, мир\r");
    EXPECT_EQ(htmlToText("<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1251\">"
                         "</head><body><p>"
                         + Codec::toCp1251(QStringLiteral("Привет, мир")) + "</p></body></html>"),
              expected);
    EXPECT_EQ(htmlToText("<meta charset=\"koi8-r\"><p>\xF0\xD2\xC9\xD7\xC5\xD4, \xCD\xC9\xD2</p>"), expected);
    EXPECT_EQ(htmlToText("<meta charset=\"utf-8\"><p>" + QStringLiteral("Привет, мир").toUtf8() + "</p>"), expected);
    // No declaration: valid UTF-8 is UTF-8, anything else Windows-1251.
    EXPECT_EQ(htmlToText("<p>" + QStringLiteral("Привет, мир").toUtf8() + "</p>"), expected);
    EXPECT_EQ(htmlToText("<p>" + Codec::toCp1251(QStringLiteral("Привет, мир")) + "</p>"), expected);
}

TEST(HtmlConverter, RealWindows1251PageWithoutDeclaration)
{
    REQUIRE_SHARED_DATA();
    const auto page = UserFile::readBytes(sharedDataPath(
        QStringLiteral("books/encodings/windows-1251-russian-_chromium_windows-1251_with_no_encoding_specified.html")));
    ASSERT_TRUE(page.has_value());
    const QString text = htmlToText(*page);
    EXPECT_FALSE(text.isEmpty());
    EXPECT_FALSE(text.contains(QChar::ReplacementCharacter));
    EXPECT_TRUE(text.contains(QRegularExpression(QStringLiteral("[а-я]{4}"))));
}

TEST(PrepareHtml, EveryParagraphStartsWithTwoSpacesAndEndsWithABreak)
{
    const QByteArray page = "<body><p>один</p><P class=\"x\">два</P><p >три</p></body>";
    EXPECT_EQ(prepareHtml(page), QByteArray("<body><p>&#160;&#160;один<br></p><P class=\"x\">&#160;&#160;два<br></p>"
                                            "<p >&#160;&#160;три<br></p></body>"));
    const QString text = normaliseLineBreaks(htmlPageToText(QString::fromUtf8(prepareHtml(page))));
    const QString lead = kNbsp + kNbsp;
    EXPECT_EQ(text, lead + QStringLiteral("один\r\n\r\n") + lead + QStringLiteral("два\r\n\r\n") + lead
                        + QStringLiteral("три\r\n\r\n"));
}

TEST(HtmlConverter, BrokenMarkupGivesWhatIsReadable)
{
    EXPECT_EQ(htmlPageToText(QStringLiteral("<p>начало <b>жирно<p>дальше</i></div><table><tr><td>ячейка")),
              QStringLiteral("начало жирно\rдальше\rячейка\r"));
    EXPECT_EQ(htmlToText(QByteArray()), QString());
    EXPECT_FALSE(htmlToText(QByteArray("\0<p>\0\x01\xFF", 7)).contains(QChar(u'\0')));
}

// Pages in the style of big online libraries leave an element open per
// paragraph; the whole book comes through, however deep the tree gets.
TEST(HtmlConverter, PagesWithAnElementLeftOpenPerParagraphComeThroughWhole)
{
    const int paragraphs = 5000;
    for (const QString &opening : {QStringLiteral("<dd>"), QStringLiteral("<p><font size=2>"),
                                   QStringLiteral("<div><blockquote>"), QStringLiteral("<ul><li><i>")}) {
        QString page = QStringLiteral("<html><body><dl>");
        for (int i = 1; i <= paragraphs; ++i)
            page += opening + QStringLiteral("Абзац %1.\n").arg(i);
        page += QStringLiteral("</body></html>");
        ReadingReport reading;
        const QString text = htmlToText(page.toUtf8(), &reading);
        EXPECT_EQ(text.count(QStringLiteral("Абзац ")), paragraphs) << opening.toStdString();
        EXPECT_TRUE(text.contains(QStringLiteral("Абзац 5000."))) << opening.toStdString();
        EXPECT_TRUE(reading.complete);
    }
}

// An internal subset of the DOCTYPE is no text of the page.
TEST(HtmlConverter, TheDoctypeInternalSubsetIsNotText)
{
    const QByteArray page = "<?xml version=\"1.0\"?>\n<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.1//EN\" [\n"
                            "<!ENTITY author \"A\">\n<!ELEMENT p ANY>\n]>\n<html><body><p>Text.</p></body></html>";
    EXPECT_EQ(htmlToText(page), QStringLiteral("Text.\r"));
}
