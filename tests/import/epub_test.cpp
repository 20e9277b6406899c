#include "import/add_pass.h"
#include "import/book_loader.h"
#include "import/epub_book.h"
#include "import/word_converter.h"

#include "support/scripted_dialogs.h"
#include "support/temp_program_folder.h"
#include "support/zip_writer.h"

#include <gtest/gtest.h>

namespace {

const QByteArray kContainer = "<?xml version=\"1.0\"?><container version=\"1.0\" "
                              "xmlns=\"urn:oasis:names:tc:opendocument:xmlns:container\"><rootfiles>"
                              "<rootfile full-path=\"OEBPS/content.opf\" "
                              "media-type=\"application/oebps-package+xml\"/></rootfiles></container>";

// A whole PNG picture: signature, header chunk, end chunk.
const QByteArray kPng = QByteArray("\x89PNG\r\n\x1A\n\0\0\0\x0DIHDR", 16) + QByteArray(17, '\1')
                        + QByteArray("\0\0\0\0IEND\xAE\x42\x60\x82", 12);

QByteArray page(const char *body)
{
    return QByteArray("<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<html xmlns=\"http://www.w3.org/1999/xhtml\" "
                      "xmlns:epub=\"http://www.idpf.org/2007/ops\"><head><title>x</title>"
                      "<style>p { color: red }</style></head><body>")
           + body + "</body></html>";
}

// EPUB 3: navigation document, notes as asides marked "footnote", a cover
// image by its property, a series as a collection.
ZipEntries epub3()
{
    const QByteArray opf =
        "<?xml version=\"1.0\"?><package xmlns=\"http://www.idpf.org/2007/opf\" version=\"3.0\">"
        "<metadata xmlns:dc=\"http://purl.org/dc/elements/1.1/\">"
        "<dc:title>Повести &amp; рассказы</dc:title>"
        "<dc:creator id=\"a1\">Антон Павлович Чехов</dc:creator>"
        "<dc:creator id=\"t1\">Переводчик Иванов</dc:creator>"
        "<meta refines=\"#t1\" property=\"role\">trl</meta>"
        "<dc:date>1887-05-01T00:00:00Z</dc:date><dc:language>ru</dc:language>"
        "<dc:subject>Классическая проза</dc:subject><dc:subject>Рассказ</dc:subject>"
        "<dc:description>&lt;p&gt;Первый абзац.&lt;/p&gt;&lt;p&gt;Второй.&lt;/p&gt;</dc:description>"
        "<meta property=\"belongs-to-collection\" id=\"c1\">Собрание</meta>"
        "<meta refines=\"#c1\" property=\"group-position\">4</meta></metadata>"
        "<manifest><item id=\"nav\" href=\"nav.xhtml\" media-type=\"application/xhtml+xml\" properties=\"nav\"/>"
        "<item id=\"c1\" href=\"text/ch1.xhtml\" media-type=\"application/xhtml+xml\"/>"
        "<item id=\"c2\" href=\"text/ch%202.xhtml\" media-type=\"application/xhtml+xml\"/>"
        "<item id=\"img\" href=\"images/c.png\" media-type=\"image/png\" properties=\"cover-image\"/>"
        "<item id=\"out\" href=\"../../etc/passwd\" media-type=\"application/xhtml+xml\"/></manifest>"
        "<spine><itemref idref=\"c1\"/><itemref idref=\"out\"/><itemref idref=\"c2\"/></spine></package>";
    const QByteArray nav = page("<nav epub:type=\"toc\"><ol><li><a href=\"text/ch1.xhtml\">Глава первая</a></li>"
                                "<li><a href=\"text/ch%202.xhtml#part2\">Глава вторая</a></li></ol></nav>");
    const QByteArray ch1 = page("<h1>ГЛАВА  первая</h1><p>Рыжая собака<a epub:type=\"noteref\" href=\"#n1\">1</a> "
                                "шла&#160;по тротуару.<br/>Новая строка.</p><script>alert(1)</script>"
                                "<p><img src=\"../images/c.png\"/>Конец.</p>"
                                "<aside epub:type=\"footnote\" id=\"n1\"><p>1 Помесь такса с дворняжкой.</p></aside>");
    const QByteArray ch2 = page("<p>Вступление второй части.</p><a id=\"part2\"/><p>Каштанка уснула.</p>");
    return {
        {QStringLiteral("mimetype"), "application/epub+zip"}, {QStringLiteral("META-INF/container.xml"), kContainer},
        {QStringLiteral("OEBPS/content.opf"), opf},           {QStringLiteral("OEBPS/nav.xhtml"), nav},
        {QStringLiteral("OEBPS/text/ch1.xhtml"), ch1},        {QStringLiteral("OEBPS/text/ch 2.xhtml"), ch2},
        {QStringLiteral("OEBPS/images/c.png"), kPng}};
}

// EPUB 2: NCX, calibre's series, notes in a page of their own linked by
// plain links, the cover named by a meta element.
ZipEntries epub2()
{
    const QByteArray opf =
        "<?xml version=\"1.0\"?><package xmlns=\"http://www.idpf.org/2007/opf\" version=\"2.0\" "
        "xmlns:opf=\"http://www.idpf.org/2007/opf\"><metadata xmlns:dc=\"http://purl.org/dc/elements/1.1/\">"
        "<dc:title>Книга</dc:title><dc:creator opf:role=\"aut\">Толстой</dc:creator>"
        "<dc:date opf:event=\"modification\">2020-01-01</dc:date><dc:date>0101-01-01T00:00:00+00:00</dc:date>"
        "<meta name=\"calibre:series\" content=\"Серия\"/><meta name=\"calibre:series_index\" content=\"2.0\"/>"
        "<meta name=\"cover\" content=\"cov\"/></metadata>"
        "<manifest><item id=\"ncx\" href=\"toc.ncx\" media-type=\"application/x-dtbncx+xml\"/>"
        "<item id=\"p1\" href=\"p1.html\" media-type=\"application/xhtml+xml\"/>"
        "<item id=\"notes\" href=\"p2.html\" media-type=\"application/xhtml+xml\"/>"
        "<item id=\"cov\" href=\"cover.jpeg\" media-type=\"image/jpeg\"/></manifest>"
        "<spine toc=\"ncx\"><itemref idref=\"p1\"/><itemref idref=\"notes\"/></spine></package>";
    const QByteArray ncx = "<?xml version=\"1.0\"?><ncx xmlns=\"http://www.daisy.org/z3986/2005/ncx/\"><navMap>"
                           "<navPoint id=\"a\"><navLabel><text>Часть 1</text></navLabel><content src=\"p1.html\"/>"
                           "<navPoint id=\"b\"><navLabel><text>Глава 1</text></navLabel>"
                           "<content src=\"p1.html#c1\"/></navPoint></navPoint></navMap></ncx>";
    const QByteArray p1 = page("<p class=\"para1\"><span>Часть 1</span></p><div id=\"c1\"><p>Текст со сноской<a "
                               "href=\"p2.html#n1\">[1]</a>.</p></div>");
    const QByteArray p2 = page("<div id=\"n1\"><h3>1</h3><p>Текст сноски.</p></div>");
    return {{QStringLiteral("META-INF/container.xml"), kContainer},
            {QStringLiteral("OEBPS/content.opf"), opf},
            {QStringLiteral("OEBPS/toc.ncx"), ncx},
            {QStringLiteral("OEBPS/p1.html"), p1},
            {QStringLiteral("OEBPS/p2.html"), p2},
            {QStringLiteral("OEBPS/cover.jpeg"), "\xFF\xD8\xFF\xE0 cut off"}};
}

// What a converter such as calibre makes of a book: the cover alone on a
// title page, the description again under "Annotation" and a list of
// contents at the start of the text, a page of contents, "Unknown" for the
// missing author.
ZipEntries calibreLike(bool withDescription)
{
    const QByteArray description = withDescription
                                       ? "<dc:description>&lt;p&gt;Повесть о смотрителе маяка и его внучке.&lt;/p&gt;"
                                         "&lt;p&gt;Пример книги.&lt;/p&gt;</dc:description>"
                                       : "";
    const QByteArray opf =
        "<?xml version=\"1.0\"?><package xmlns=\"http://www.idpf.org/2007/opf\" version=\"2.0\">"
        "<metadata xmlns:dc=\"http://purl.org/dc/elements/1.1/\" xmlns:opf=\"http://www.idpf.org/2007/opf\">"
        "<dc:title>Маяк</dc:title><dc:creator opf:role=\"aut\" opf:file-as=\"Unknown\">Unknown</dc:creator>"
        + description
        + "<meta name=\"cover\" content=\"cover\"/></metadata>"
          "<manifest><item id=\"ncx\" href=\"toc.ncx\" media-type=\"application/x-dtbncx+xml\"/>"
          "<item id=\"titlepage\" href=\"titlepage.xhtml\" media-type=\"application/xhtml+xml\"/>"
          "<item id=\"html0\" href=\"index_split_000.html\" media-type=\"application/xhtml+xml\"/>"
          "<item id=\"contents\" href=\"contents.html\" media-type=\"application/xhtml+xml\"/>"
          "<item id=\"html1\" href=\"index_split_001.html\" media-type=\"application/xhtml+xml\"/>"
          "<item id=\"html2\" href=\"index_split_002.html\" media-type=\"application/xhtml+xml\"/>"
          "<item id=\"cover\" href=\"cover.png\" media-type=\"image/png\"/></manifest>"
          "<spine toc=\"ncx\"><itemref idref=\"titlepage\"/><itemref idref=\"html0\"/><itemref idref=\"contents\"/>"
          "<itemref idref=\"html1\"/><itemref idref=\"html2\"/></spine>"
          "<guide><reference type=\"cover\" title=\"Обложка\" href=\"titlepage.xhtml\"/></guide></package>";
    const QByteArray ncx =
        "<?xml version=\"1.0\"?><ncx xmlns=\"http://www.daisy.org/z3986/2005/ncx/\"><navMap>"
        "<navPoint id=\"p0\"><navLabel><text>Обложка</text></navLabel><content src=\"titlepage.xhtml\"/></navPoint>"
        "<navPoint id=\"p1\"><navLabel><text>Annotation</text></navLabel>"
        "<content src=\"index_split_000.html#annotation\"/></navPoint>"
        "<navPoint id=\"p2\"><navLabel><text>Содержание</text></navLabel><content src=\"contents.html\"/></navPoint>"
        "<navPoint id=\"p3\"><navLabel><text>Глава 1</text></navLabel><content src=\"index_split_001.html\"/>"
        "</navPoint><navPoint id=\"p4\"><navLabel><text>Глава 2</text></navLabel>"
        "<content src=\"index_split_002.html\"/></navPoint></navMap></ncx>";
    const QByteArray titlepage = page("<div><svg xmlns=\"http://www.w3.org/2000/svg\" "
                                      "xmlns:xlink=\"http://www.w3.org/1999/xlink\"><image xlink:href=\"cover.png\"/>"
                                      "</svg></div>");
    const QByteArray start =
        page("<h1>Маяк</h1><div id=\"annotation\"><h3>Annotation</h3><p>Повесть о смотрителе маяка и его внучке.</p>"
             "<p>Пример книги.</p></div><ul><li><a href=\"index_split_001.html\">Глава 1</a></li>"
             "<li><a href=\"index_split_002.html\">Глава 2</a></li><li><a href=\"index_split_002.html#e\">Эпилог</a>"
             "</li></ul>");
    const QByteArray contents =
        page("<h2>Содержание</h2><p><a href=\"index_split_001.html\">Глава 1. Смотритель</a> 5</p>"
             "<p><a href=\"index_split_002.html\">Глава 2. Разговор</a> 9</p><p><a href=\"index_split_002.html#e\">"
             "Эпилог</a> 12</p>");
    const QByteArray chapter1 = page("<h2>Глава 1</h2><p>Смотрителем маяка был Семён Ильич.</p>");
    const QByteArray chapter2 =
        page("<h2>Глава 2</h2><p>Варя поднималась следом за дедом.</p><p id=\"e\">Прошло много лет.</p>");
    return {{QStringLiteral("META-INF/container.xml"), kContainer},
            {QStringLiteral("OEBPS/content.opf"), opf},
            {QStringLiteral("OEBPS/toc.ncx"), ncx},
            {QStringLiteral("OEBPS/titlepage.xhtml"), titlepage},
            {QStringLiteral("OEBPS/index_split_000.html"), start},
            {QStringLiteral("OEBPS/contents.html"), contents},
            {QStringLiteral("OEBPS/index_split_001.html"), chapter1},
            {QStringLiteral("OEBPS/index_split_002.html"), chapter2},
            {QStringLiteral("OEBPS/cover.png"), kPng}};
}

QString writeBook(const TempProgramFolder &folder, const QString &name, const ZipEntries &entries)
{
    const QString path = folder.file(name);
    EXPECT_TRUE(writeZip(path, entries));
    return path;
}

BookLoadResult load(const QString &path, ScriptedDialogs &dialogs)
{
    LibreOfficeConverter converter(QString(), 1);
    BookLoader loader(dialogs, converter);
    return loader.loadFile(path, path.section(u'/', -1));
}

} // namespace

TEST(EpubBook, Epub3TextInOrderWithHeadingsNotesAndNoScriptsOrImages)
{
    TempProgramFolder folder;
    const EpubBook book = readEpubBook(writeBook(folder, QStringLiteral("b.epub"), epub3()));
    ASSERT_EQ(book.problem, EpubProblem::None);
    const QString &text = book.text;
    // The table's title stands in for the page's own heading saying the
    // same, after three empty lines like a FictionBook section title.
    EXPECT_TRUE(text.contains(QStringLiteral("\r\n\r\n\r\n\r\nГлава первая\r\n\r\n  Рыжая собака")))
        << text.toStdString();
    EXPECT_FALSE(text.contains(QStringLiteral("ГЛАВА")));
    EXPECT_TRUE(text.contains(QStringLiteral("собака; [Примечание:Помесь такса с дворняжкой.];1 шла по тротуару."
                                             "\r\nНовая строка.")))
        << text.toStdString();
    EXPECT_EQ(text.count(QStringLiteral("Помесь")), 1); // the aside itself is gone
    EXPECT_FALSE(text.contains(QStringLiteral("alert")));
    EXPECT_FALSE(text.contains(QStringLiteral("color")));
    // A heading at an anchor in the middle of a page goes there.
    const qsizetype intro = text.indexOf(QStringLiteral("Вступление второй части."));
    const qsizetype second = text.indexOf(QStringLiteral("\r\n\r\n\r\n\r\nГлава вторая\r\n\r\n  Каштанка уснула."));
    EXPECT_GT(intro, text.indexOf(QStringLiteral("Конец.")));
    EXPECT_GT(second, intro);
    ASSERT_TRUE(book.coverImage);
    EXPECT_EQ(*book.coverImage, kPng);
}

TEST(EpubBook, InformationFieldsAreFilledAsFictionBookFillsThem)
{
    TempProgramFolder folder;
    ScriptedDialogs dialogs;
    const BookLoadResult three = load(writeBook(folder, QStringLiteral("b.epub"), epub3()), dialogs);
    ASSERT_TRUE(three.loaded);
    ASSERT_TRUE(three.information);
    EXPECT_EQ(*three.information,
              (BookInformation{QStringLiteral("Повести & рассказы"), QStringLiteral("Собрание"), QStringLiteral("4"),
                               QStringLiteral("Антон Павлович Чехов"), QStringLiteral("Классическая проза"),
                               QStringLiteral("Первый абзац.\r\nВторой."), QStringLiteral("1887-05-01")}));
    EXPECT_EQ(three.title, QStringLiteral("Повести & рассказы"));
    EXPECT_TRUE(three.sectionsMarked);
    EXPECT_FALSE(three.indentsMarked);
    ASSERT_TRUE(three.cover);
    EXPECT_EQ(three.cover->extension, QStringLiteral("png"));
    EXPECT_TRUE(three.text.startsWith(QStringLiteral("Антон Павлович Чехов\r\n")));

    // EPUB 2: a lone name is a last name, as in a FictionBook without a
    // first name; calibre's "unknown" date is no date; a cut-off cover is
    // skipped and said so.
    const BookLoadResult two = load(writeBook(folder, QStringLiteral("c.epub"), epub2()), dialogs);
    ASSERT_TRUE(two.loaded);
    EXPECT_EQ(*two.information, (BookInformation{QStringLiteral("Книга"), QStringLiteral("Серия"), QStringLiteral("2"),
                                                 QStringLiteral(" Толстой"), QString(), QString(), QString()}));
    EXPECT_FALSE(two.cover);
    EXPECT_TRUE(two.status.contains(QStringLiteral("Обложка книги повреждена"))) << two.status.toStdString();
    EXPECT_TRUE(dialogs.shown.isEmpty());
}

TEST(EpubBook, Epub2NcxHeadingsNestInOrderAndNotesPageIsInlined)
{
    TempProgramFolder folder;
    const EpubBook book = readEpubBook(writeBook(folder, QStringLiteral("b.epub"), epub2()));
    ASSERT_EQ(book.problem, EpubProblem::None);
    const qsizetype part = book.text.indexOf(QStringLiteral("\r\n\r\n\r\n\r\nЧасть 1\r\n"));
    const qsizetype chapter = book.text.indexOf(QStringLiteral("\r\n\r\n\r\n\r\nГлава 1\r\n"));
    EXPECT_GE(part, 0) << book.text.toStdString();
    EXPECT_GT(chapter, part);
    // A heading written as a styled paragraph gives way to the table's.
    EXPECT_EQ(book.text.count(QStringLiteral("Часть 1")), 1);
    EXPECT_TRUE(book.text.contains(QStringLiteral("Текст со сноской; [Примечание:1 Текст сноски.];[1].")))
        << book.text.toStdString();
    // The notes page was read where its notes are referenced, not again.
    EXPECT_EQ(book.text.count(QStringLiteral("Текст сноски")), 1);
}

TEST(EpubBook, HostileOrBrokenBooksAreRefusedWithAMessage)
{
    TempProgramFolder folder;
    ZipEntries protectedBook = epub3();
    protectedBook.append({QStringLiteral("META-INF/encryption.xml"),
                          "<encryption xmlns=\"urn:oasis:names:tc:opendocument:xmlns:container\" "
                          "xmlns:enc=\"http://www.w3.org/2001/04/xmlenc#\"><enc:EncryptedData>"
                          "<enc:EncryptionMethod Algorithm=\"http://www.w3.org/2001/04/xmlenc#aes128-cbc\"/>"
                          "<enc:CipherData><enc:CipherReference URI=\"OEBPS/text/ch1.xhtml\"/></enc:CipherData>"
                          "</enc:EncryptedData></encryption>"});
    ZipEntries fontsOnly = epub3();
    fontsOnly.append({QStringLiteral("META-INF/encryption.xml"),
                      "<encryption><EncryptedData><EncryptionMethod "
                      "Algorithm=\"http://www.idpf.org/2008/embedding\"/></EncryptedData></encryption>"});
    ZipEntries noPackage = epub3();
    noPackage.removeAt(2); // content.opf
    ZipEntries brokenXml = epub3();
    brokenXml[2].second.chop(40);                                             // the package cut off inside the spine
    brokenXml[4].second = "<html><body><p>Разбитая <b>страница</p><p>дальше"; // no end tags

    struct Case
    {
        const char *name;
        ZipEntries entries;
        bool loads;
        const char *message;
    };
    const Case cases[] = {
        {"drm.epub", protectedBook, false, "DRM"},         {"fonts.epub", fontsOnly, true, ""},
        {"noopf.epub", noPackage, false, "файл OPF"},      {"broken.epub", brokenXml, true, ""},
        {"notzip.epub", {}, false, "не является архивом"},
    };
    for (const Case &c : cases) {
        const QString path = folder.file(QString::fromLatin1(c.name));
        if (c.entries.isEmpty())
            folder.writeCp1251(QString::fromLatin1(c.name), QStringLiteral("просто текст"));
        else
            writeBook(folder, QString::fromLatin1(c.name), c.entries);
        ScriptedDialogs dialogs;
        const BookLoadResult result = load(path, dialogs);
        EXPECT_EQ(result.loaded, c.loads) << c.name;
        if (c.loads) {
            EXPECT_TRUE(dialogs.shown.isEmpty()) << c.name;
            continue;
        }
        ASSERT_EQ(dialogs.shown.size(), 1) << c.name;
        EXPECT_TRUE(dialogs.shown[0].text.contains(QString::fromUtf8(c.message)))
            << dialogs.shown[0].text.toStdString();
    }
    ScriptedDialogs dialogs;
    const BookLoadResult broken = load(folder.file(QStringLiteral("broken.epub")), dialogs);
    EXPECT_TRUE(broken.text.contains(QStringLiteral("Разбитая страница\r\n  дальше"))) << broken.text.toStdString();
}

// The description is read once, at the start and in Russian; contents and
// the cover's page are not read; "Unknown" is no author.
TEST(EpubBook, WhatAConverterAddedIsNotRead)
{
    TempProgramFolder folder;
    ScriptedDialogs dialogs;
    const BookLoadResult book = load(writeBook(folder, QStringLiteral("c.epub"), calibreLike(true)), dialogs);
    ASSERT_TRUE(book.loaded);
    const QString &text = book.text;
    EXPECT_EQ(text.count(QStringLiteral("Повесть о смотрителе маяка")), 1) << text.toStdString();
    EXPECT_EQ(text.count(QStringLiteral("Аннотация")), 1) << text.toStdString();
    for (const char *absent : {"Annotation", "Unknown", "Содержание", "Обложка", "Смотритель\r\n", "Эпилог"})
        EXPECT_FALSE(text.contains(QString::fromUtf8(absent))) << absent << "\n" << text.toStdString();
    EXPECT_EQ(text.count(QStringLiteral("Глава 1")), 1) << text.toStdString();
    EXPECT_TRUE(text.startsWith(QStringLiteral("Маяк\r\n"))) << text.toStdString();
    ASSERT_TRUE(book.information);
    EXPECT_EQ(book.information->authors, QString());
    EXPECT_TRUE(text.contains(QStringLiteral("Прошло много лет.")));

    // The chapters begin the blocks after the title's block, which holds
    // the description.
    AddOptions options;
    options.paragraphWithoutIndent = true;
    ChapterDetector detector({{QStringLiteral("\\\\\\"), true}, {QStringLiteral("Глава {номер}"), true}}, false);
    const BookBlocks blocks = cutIntoBlocks(text, QStringLiteral("Маяк"), options, detector);
    EXPECT_EQ(blocks.names,
              QStringList({QStringLiteral("Маяк"), QStringLiteral("Глава 1"), QStringLiteral("Глава 2")}));
    EXPECT_TRUE(blocks.blocks.value(0).contains(QStringLiteral("Повесть о смотрителе")));

    // Without a description of its own the book's page is its description,
    // under a Russian heading.
    const BookLoadResult plain = load(writeBook(folder, QStringLiteral("p.epub"), calibreLike(false)), dialogs);
    EXPECT_EQ(plain.text.count(QStringLiteral("Повесть о смотрителе маяка")), 1) << plain.text.toStdString();
    EXPECT_FALSE(plain.text.contains(QStringLiteral("Annotation"))) << plain.text.toStdString();
    EXPECT_TRUE(plain.text.contains(QStringLiteral("Аннотация"))) << plain.text.toStdString();
    EXPECT_TRUE(dialogs.shown.isEmpty());
}
