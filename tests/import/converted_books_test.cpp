// Books that outside programs read: PDF through poppler's tools, Kindle
// books through calibre's ebook-convert.

#include "import/book_loader.h"
#include "import/pdf_text.h"
#include "import/word_converter.h"

#include "support/scripted_dialogs.h"
#include "support/temp_program_folder.h"
#include "support/zip_writer.h"

#include "print_qstring.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include <gtest/gtest.h>

namespace {

QString q(const char16_t *s)
{
    return QString::fromUtf16(s);
}

// ---- a PDF made here --------------------------------------------------------

// A PDF of Latin text in a standard font (no font to embed): one page per
// entry of `pages`, each a list of lines from the top, with `outline` as
// bookmarks to pages 1, 2, ... and `title` (any letters) in its metadata.
QByteArray makePdf(const QList<QStringList> &pages, const QStringList &outline, const QString &title)
{
    QList<QByteArray> objects; // object n is objects[n - 1]
    const int pageCount = int(pages.size());
    const int firstPage = 4; // 1 catalog, 2 pages, 3 font
    const int firstOutline = firstPage + 2 * pageCount + 1;
    const int outlineRoot = firstOutline - 1;
    const int info = firstOutline + int(outline.size());
    objects.append("<< /Type /Catalog /Pages 2 0 R /Outlines " + QByteArray::number(outlineRoot) + " 0 R >>");
    QByteArray kids;
    for (int p = 0; p < pageCount; ++p)
        kids += QByteArray::number(firstPage + 2 * p) + " 0 R ";
    objects.append("<< /Type /Pages /Kids [" + kids + "] /Count " + QByteArray::number(pageCount) + " >>");
    objects.append("<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>");
    for (int p = 0; p < pageCount; ++p) {
        QByteArray stream = "BT /F1 11 Tf 14 TL 72 770 Td\n";
        for (const QString &line : pages[p])
            stream += "(" + line.toLatin1() + ") Tj T*\n";
        stream += "ET";
        objects.append("<< /Type /Page /Parent 2 0 R /MediaBox [0 0 595 842] /Resources << /Font << /F1 3 0 R >> >> "
                       "/Contents "
                       + QByteArray::number(firstPage + 2 * p + 1) + " 0 R >>");
        objects.append("<< /Length " + QByteArray::number(stream.size()) + " >>\nstream\n" + stream + "\nendstream");
    }
    objects.append("<< /Type /Outlines /First " + QByteArray::number(firstOutline) + " 0 R /Last "
                   + QByteArray::number(firstOutline + outline.size() - 1) + " 0 R /Count "
                   + QByteArray::number(outline.size()) + " >>");
    for (int k = 0; k < outline.size(); ++k) {
        QByteArray item = "<< /Title (" + outline[k].toLatin1() + ") /Parent " + QByteArray::number(outlineRoot)
                          + " 0 R /Dest [" + QByteArray::number(firstPage + 2 * std::min(k, pageCount - 1))
                          + " 0 R /XYZ 0 842 0]";
        if (k > 0)
            item += " /Prev " + QByteArray::number(firstOutline + k - 1) + " 0 R";
        if (k + 1 < outline.size())
            item += " /Next " + QByteArray::number(firstOutline + k + 1) + " 0 R";
        objects.append(item + " >>");
    }
    QByteArray utf16 = "FEFF";
    for (const QChar c : title)
        utf16 += QByteArray::number(c.unicode(), 16).rightJustified(4, '0').toUpper();
    objects.append("<< /Title <" + utf16 + "> /Author (Anton Chekhov) >>");

    QByteArray pdf = "%PDF-1.4\n";
    QList<qsizetype> offsets;
    for (int n = 0; n < objects.size(); ++n) {
        offsets.append(pdf.size());
        pdf += QByteArray::number(n + 1) + " 0 obj\n" + objects[n] + "\nendobj\n";
    }
    const qsizetype xref = pdf.size();
    pdf += "xref\n0 " + QByteArray::number(objects.size() + 1) + "\n0000000000 65535 f \n";
    for (const qsizetype offset : offsets)
        pdf += QByteArray::number(offset).rightJustified(10, '0') + " 00000 n \n";
    pdf += "trailer\n<< /Size " + QByteArray::number(objects.size() + 1) + " /Root 1 0 R /Info "
           + QByteArray::number(info) + " 0 R >>\nstartxref\n" + QByteArray::number(xref) + "\n%%EOF\n";
    return pdf;
}

struct Loading
{
    TempProgramFolder folder;
    ScriptedDialogs dialogs;
    LibreOfficeConverter word{QString(), 1};
    BookLoader loader{dialogs, word};

    BookLoadResult load(const QString &name, const QByteArray &bytes)
    {
        QFile file(folder.file(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        file.close();
        return loader.loadFile(folder.file(name), name);
    }
    QString lastMessage() const { return dialogs.shown.isEmpty() ? QString() : dialogs.shown.last().text; }
};

// PATH for the life of the object (so that the program finder sees only
// `path`), restored afterwards.
class PathOverride
{
public:
    explicit PathOverride(const QString &path) : m_saved(qgetenv("PATH")) { qputenv("PATH", path.toLocal8Bit()); }
    ~PathOverride() { qputenv("PATH", m_saved); }

private:
    QByteArray m_saved;
};

} // namespace

// ---- PDF clean-up -------------------------------------------------------------

TEST(PdfText, HeadersPageNumbersHyphensAndParagraphs)
{
    // Two pages as pdftotext gives them: a running header with the page
    // number in it, a footer number, a word hyphenated over the lines, a
    // paragraph going on over the page, a reply and a bookmarked heading.
    const QString output = q(u"Каштанка. Стр. 1\n\n"
                             u"Глава первая\n"
                             u"Молодая рыжая собака бегала взад и вперед по тро-\n"
                             u"туару и беспокойно оглядывалась по сторонам, ста-\n"
                             u"раясь понять, как это могло случиться.\n"
                             u"Она отлично помнила, как провела день, и кто-\n"
                             u"нибудь из прохожих это подтвердил бы, потому что\n"
                             u"1\n\f"
                             u"Каштанка. Стр. 2\n"
                             u"её видели все на этой улице, от угла до угла.\n"
                             u"— Каштанка, пойдем!\n"
                             u"Глава вторая\n"
                             u"Вечером она ждала у двери.\n"
                             u"- 2 -\n\f"
                             u"Каштанка. Стр. 3\n"
                             u"Ночь прошла спокойно, и утром хозяин её не узнал.\n"
                             u"3\n\f");
    const QStringList pages = withoutPageFurniture(pdfPages(output));
    ASSERT_EQ(pages.size(), 3);
    EXPECT_EQ(pdfBookText(pages, {q(u"Глава первая"), q(u"Глава вторая")}),
              q(u"Глава первая\r\n\r\n"
                u"Молодая рыжая собака бегала взад и вперед по тротуару и беспокойно оглядывалась по сторонам, "
                u"стараясь понять, как это могло случиться.\r\n"
                u"Она отлично помнила, как провела день, и кто-нибудь из прохожих это подтвердил бы, потому что "
                u"её видели все на этой улице, от угла до угла.\r\n"
                u"— Каштанка, пойдем!\r\n"
                u"\r\nГлава вторая\r\n\r\n"
                u"Вечером она ждала у двери.\r\n"
                u"Ночь прошла спокойно, и утром хозяин её не узнал.\r\n"));
}

TEST(PdfText, OutlineMetadataAndPagesWithoutText)
{
    EXPECT_EQ(pdfOutlineTitles(q(u"<page number=\"1\"><text>x</text></page><outline>\n"
                                 u"<item page=\"1\">Глава первая</item>\n<outline><item page=\"1\">Дурное &amp; "
                                 u"поведение</item></outline></outline>")),
              QStringList({q(u"Глава первая"), q(u"Дурное & поведение")}));
    EXPECT_TRUE(pdfOutlineTitles(QStringLiteral("<page><text>no outline</text></page>")).isEmpty());

    const PdfMetadata metadata =
        pdfMetadata(q(u"Title:           Каштанка: рассказ\nAuthor:          Антон Чехов\nPages:           23\n"));
    EXPECT_EQ(metadata.title, q(u"Каштанка: рассказ"));
    EXPECT_EQ(metadata.author, q(u"Антон Чехов"));
    EXPECT_EQ(metadata.pages, 23);

    EXPECT_TRUE(pdfHasNoText(QStringLiteral("\n\f \n\f")));
    EXPECT_FALSE(pdfHasNoText(q(u"\fТекст\f")));
}

// ---- PDF through pdftotext ----------------------------------------------------

TEST(PdfBook, ARealPdfComesThroughWithItsChaptersAndNoPageFurniture)
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty()) {
        GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    }
    const QString header = QStringLiteral("Kashtanka - a story");
    QList<QStringList> pages;
    for (int p = 1; p <= 4; ++p) {
        QStringList lines{header, QString()};
        if (p == 1 || p == 3)
            lines << (p == 1 ? QStringLiteral("Chapter One") : QStringLiteral("Chapter Two")) << QString();
        for (int k = 0; k < 6; ++k)
            lines << QStringLiteral("The young red dog ran up and down the pavement, looking round in line %1.").arg(k);
        lines << QString() << QString::number(p);
        pages.append(lines);
    }
    Loading loading;
    const BookLoadResult result =
        loading.load(q(u"Каштанка «проба».pdf"), makePdf(pages, {"Chapter One", "Chapter Two"}, q(u"Каштанка")));
    ASSERT_TRUE(result.loaded) << loading.lastMessage().toStdString();
    EXPECT_FALSE(result.text.contains(header));
    EXPECT_FALSE(result.text.contains(QStringLiteral("\r\n2\r\n")));
    EXPECT_TRUE(result.text.contains(QStringLiteral("\r\nChapter Two\r\n\r\nThe young red dog")));
    EXPECT_EQ(result.title, q(u"Каштанка"));
    ASSERT_TRUE(result.information);
    EXPECT_EQ(result.information->authors, QStringLiteral("Anton Chekhov"));
}

TEST(PdfBook, AScannedPdfIsRefusedWithAMessage)
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty()) {
        GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    }
    Loading loading;
    const BookLoadResult result = loading.load(QStringLiteral("scan.pdf"), makePdf({{}, {}}, {}, QStringLiteral("x")));
    EXPECT_FALSE(result.loaded);
    EXPECT_TRUE(loading.lastMessage().startsWith(q(u"В PDF нет текста: это отсканированные страницы")))
        << loading.lastMessage().toStdString();
}

// ---- Kindle books through calibre ---------------------------------------------

TEST(CalibreBook, WithoutCalibreTheMessageNamesItsPackage)
{
    Loading loading;
    const PathOverride path(loading.folder.file(QStringLiteral("empty")));
    const BookLoadResult result = loading.load(QStringLiteral("book.mobi"), "BOOKMOBI");
    EXPECT_FALSE(result.loaded);
    EXPECT_TRUE(loading.lastMessage().contains(q(u"пакета calibre"))) << loading.lastMessage().toStdString();
    EXPECT_TRUE(loading.lastMessage().contains(QStringLiteral("ebook-convert")));
}

TEST(CalibreBook, TheEpubCalibreMakesIsReadAsAnEpub)
{
    Loading loading;
    const QByteArray container = "<?xml version=\"1.0\"?><container version=\"1.0\" "
                                 "xmlns=\"urn:oasis:names:tc:opendocument:xmlns:container\"><rootfiles>"
                                 "<rootfile full-path=\"content.opf\" "
                                 "media-type=\"application/oebps-package+xml\"/></rootfiles></container>";
    const QByteArray opf = QStringLiteral("<?xml version=\"1.0\"?><package xmlns=\"http://www.idpf.org/2007/opf\" "
                                          "version=\"2.0\"><metadata xmlns:dc=\"http://purl.org/dc/elements/1.1/\">"
                                          "<dc:title>Маяк</dc:title></metadata><manifest><item id=\"p\" "
                                          "href=\"p.html\" media-type=\"application/xhtml+xml\"/></manifest>"
                                          "<spine><itemref idref=\"p\"/></spine></package>")
                               .toUtf8();
    const QByteArray page =
        QStringLiteral("<html xmlns=\"http://www.w3.org/1999/xhtml\"><body><h1>Глава 1</h1><p>Смотритель маяка "
                       "проснулся.</p></body></html>")
            .toUtf8();
    const QString epub = loading.folder.file(QStringLiteral("made.epub"));
    ASSERT_TRUE(writeZip(epub, {{QStringLiteral("mimetype"), "application/epub+zip"},
                                {QStringLiteral("META-INF/container.xml"), container},
                                {QStringLiteral("content.opf"), opf},
                                {QStringLiteral("p.html"), page}}));
    // A stand-in for calibre's converter that writes that EPUB where it is
    // asked to (its second argument) and checks the first is the book.
    const QString bin = loading.folder.file(QStringLiteral("bin"));
    ASSERT_TRUE(QDir().mkpath(bin));
    QFile script(bin + QStringLiteral("/ebook-convert"));
    ASSERT_TRUE(script.open(QIODevice::WriteOnly));
    script.write(("#!/bin/sh\n[ -f \"$1\" ] || exit 3\n/bin/cp '" + epub + "' \"$2\"\n").toUtf8());
    script.close();
    script.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    const PathOverride path(bin);

    const BookLoadResult result = loading.load(q(u"Маяк «демо».azw3"), "TPZ0");
    ASSERT_TRUE(result.loaded) << loading.lastMessage().toStdString();
    EXPECT_TRUE(result.text.contains(q(u"Смотритель маяка проснулся.")));
    EXPECT_TRUE(result.sectionsMarked);
    EXPECT_EQ(result.title, q(u"Маяк"));
}
