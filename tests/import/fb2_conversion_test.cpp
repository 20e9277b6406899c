#include "import/add_pass.h"
#include "import/fb2_description.h"
#include "import/fb2_file.h"
#include "import/fb2_to_text.h"

#include "common/text_codec.h"
#include "common/user_file.h"
#include "support/temp_program_folder.h"

#include <gtest/gtest.h>

namespace {

const QString kBook =
    QStringLiteral("<?xml version=\"1.0\" encoding=\"windows-1251\"?>\n"
                   "<FictionBook><description><title-info><genre>sf</genre><genre>prose</genre>"
                   "<author><first-name>Иван</first-name><last-name>Петров</last-name></author>"
                   "<author><last-name>Сидоров</last-name></author>"
                   "<translator><first-name>Пётр</first-name></translator>"
                   "<book-title>Ночь &amp; день</book-title>"
                   "<annotation><p>Первый\rабзац</p><empty-line/><p><strong>Второй</strong></p></annotation>"
                   "<date value=\"2001-01-01\">2001</date><sequence name=\"Цикл\" number=\"3\"/>"
                   "</title-info></description>\n"
                   "<body><section><title><p>Глава 1</p></title>"
                   "<epigraph><p>Эпиграф</p><text-author>Автор</text-author></epigraph>"
                   "<p>Текст<a l:href=\"#n1\" type=\"note\">1</a> и снова<a l:href=\"#N1\" type=\"note\">1</a>.</p>"
                   "<p><style name=\"foreign lang\">Bonjour</style>, мир</p>"
                   "<poem><stanza><v>Строка раз</v><v>Строка два</v></stanza></poem>"
                   "<empty-line/><p>Конец</p></section></body>\n"
                   "<body name=\"notes\"><section id=\"n1\"><title><p>1</p></title><p>Сноска</p></section></body>"
                   "<binary id=\"x\">QUJD</binary></FictionBook>");

} // namespace

TEST(Fb2Description, FieldsOfTheTitleInfo)
{
    const Fb2Description d = readFb2Description(kBook);
    EXPECT_EQ(d.title, QStringLiteral("Ночь & день"));
    EXPECT_EQ(d.firstNames, (QStringList{QStringLiteral("Иван"), QString()}));
    EXPECT_EQ(d.lastNames, (QStringList{QStringLiteral("Петров"), QStringLiteral("Сидоров")}));
    EXPECT_EQ(d.seriesName, QStringLiteral("Цикл"));
    EXPECT_EQ(d.seriesNumber, 3);
    EXPECT_EQ(d.genre, QStringLiteral("sf"));
    EXPECT_EQ(d.date, QStringLiteral("2001"));

    const BookInformation info = fb2Information(d);
    EXPECT_EQ(info.title, QStringLiteral("Ночь & день"));
    EXPECT_EQ(info.series, QStringLiteral("Цикл"));
    EXPECT_EQ(info.seriesNo, QStringLiteral("3"));
    EXPECT_EQ(info.authors, QStringLiteral("Иван Петров,\r\n Сидоров"));
    EXPECT_EQ(info.genre, QStringLiteral("sf"));
    EXPECT_EQ(info.annotation, QStringLiteral("Первый абзац\r\n\r\nВторой"));
    EXPECT_EQ(info.date, QStringLiteral("2001"));
}

// The date as written, else its value attribute; names that only say the
// author or title is unknown are no names (the book would begin with them).
TEST(Fb2Description, DatesAndPlaceholderNames)
{
    struct Case
    {
        const char16_t *titleInfo;
        const char16_t *date, *authors, *title;
    };
    const Case cases[] = {
        {u"<date value=\"1928-05-01\">1 мая 1928</date>", u"1 мая 1928", u"", u""},
        {u"<date value=\"1928-05-01\"/>", u"1928-05-01", u"", u""},
        {u"<date value=\"1928\"></date><datex>1</datex>", u"1928", u"", u""},
        {u"<author><first-name>Автор</first-name><last-name>Неизвестен</last-name></author>"
         u"<author><first-name>Лев</first-name><last-name>Толстой</last-name></author>",
         u"", u"Лев Толстой", u""},
        {u"<author><last-name>Unknown</last-name></author><book-title>Unknown</book-title>", u"", u"", u""},
        {u"<author><last-name>Неизвестный</last-name></author><book-title>Неизвестный солдат</book-title>", u"", u"",
         u"Неизвестный солдат"},
    };
    for (const Case &c : cases) {
        const BookInformation info =
            fb2Information(readFb2Description(u"<FictionBook><description><title-info>"_qs
                                              + QString::fromUtf16(c.titleInfo) + u"</title-info></description>"_qs));
        EXPECT_EQ(info.date, QString::fromUtf16(c.date)) << QString::fromUtf16(c.titleInfo).toStdString();
        EXPECT_EQ(info.authors, QString::fromUtf16(c.authors)) << QString::fromUtf16(c.titleInfo).toStdString();
        EXPECT_EQ(info.title, QString::fromUtf16(c.title)) << QString::fromUtf16(c.titleInfo).toStdString();
    }
}

TEST(Fb2Description, AnnotationIsPlainText)
{
    const struct
    {
        const char *markup;
        const char *text;
    } cases[] = {
        // A note reference (a link into the book, often in <sup>) is dropped.
        {"<p>Роман<sup><a l:href=\"#n_1\" type=\"note\">[1]</a></sup> о войне.</p>", "Роман о войне."},
        {"<p>Роман <a xlink:href='#n2'>[2]</a>.</p>", "Роман."},
        // Inline markup gives its text; an outside link keeps its words.
        {"<p><emphasis>Впервые</emphasis> на <strong>русском</strong>: <a l:href=\"http://x.ru\">сайт</a></p>",
         "Впервые на русском: сайт"},
        {"<p>a &lt; b &amp; &#1073;</p>", "a < b & б"},
        {"<p>Первая</p>\n  <p>Вторая</p>", "Первая\r\nВторая"},
        {"<poem><stanza><v>Строка раз</v><v>Строка два</v></stanza></poem>", "Строка раз\r\nСтрока два"},
        {"<empty-line/><p>Один</p><empty-line/>", "Один"},
        {"Просто текст", "Просто текст"},
    };
    for (const auto &c : cases) {
        Fb2Description d;
        d.annotation = QString::fromUtf8(c.markup);
        EXPECT_EQ(fb2Information(d).annotation, QString::fromUtf8(c.text)) << c.markup;
    }
}

TEST(Fb2Description, MissingAndUnclosedPartsLeaveFieldsEmpty)
{
    const Fb2Description none = readFb2Description(QStringLiteral("<FictionBook><body><p>x</p></body>"));
    EXPECT_TRUE(none.title.isEmpty());
    EXPECT_TRUE(none.firstNames.isEmpty());
    EXPECT_EQ(fb2Information(none).seriesNo, QStringLiteral("0"));
    EXPECT_EQ(fb2Information(none).authors, QString());
    const Fb2Description broken = readFb2Description(QStringLiteral(
        "<description><TITLE-INFO><Book-Title>Имя</Book-Title><genre>sf<sequence name=\"С\" number=\"x\">"
        "</title-info></description>"));
    EXPECT_EQ(broken.title, QStringLiteral("Имя"));
    EXPECT_EQ(broken.genre, QString());
    EXPECT_EQ(broken.seriesName, QStringLiteral("С"));
    EXPECT_EQ(broken.seriesNumber, 0);
}

TEST(Fb2ToText, HeadingsBodyMarkupAndNotes)
{
    const QString text = fb2ToText(kBook);
    // Headings end with a line break of their own, so two empty lines part
    // them; only a section title has three before it, the description's
    // lines never; verse lines stand alone.
    const QString expected = QStringLiteral("Иван Петров,\r\nСидоров\r\n\r\n\r\n"
                                            "Ночь & день\r\n\r\n\r\n"
                                            "Цикл - 3\r\n\r\n\r\n"
                                            "Аннотация.\r\n\r\n\r\n"
                                            "  Первый абзац\r\n"
                                            "  Второй\r\n\r\n\r\n\r\n"
                                            "  Глава 1\r\n\r\n\r\n"
                                            "  Эпиграф\r\n\r\n"
                                            "Автор\r\n\r\n"
                                            "  Текст; [Примечание: 1 Сноска ];1 и снова; [Примечание: 1 Сноска ];1.\r\n"
                                            "  Bonjour, мир\r\n\r\n"
                                            "Строка раз\r\nСтрока два\r\n\r\n\r\n\r\n"
                                            "  Конец\r\n");
    EXPECT_EQ(text, expected);
}

// The description and the body's own title are the book's title page: no
// line of it stands after three empty lines, so none begins a block, and
// the blocks are the book's and its chapters'.
TEST(Fb2ToText, TheTitlePageIsNoChapter)
{
    const QString book = QStringLiteral(
        "<FictionBook><description><title-info><author><first-name>Пётр</first-name><last-name>Лекторов</last-name>"
        "</author><book-title>Маяк</book-title><annotation><p>Повесть о маяке.</p></annotation></title-info>"
        "</description><body><title><p>Пётр Лекторов</p><p>Маяк</p></title>"
        "<section><title><p>Глава 1</p><p>Смотритель</p></title><p>Текст.</p></section>"
        "<section><title><p>Эпилог</p></title><p>Конец.</p></section></body></FictionBook>");
    const QString text = fb2ToText(book);
    EXPECT_TRUE(text.contains(QStringLiteral("Повесть о маяке.\r\nПётр Лекторов\r\nМаяк\r\n"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("\r\n\r\n\r\n\r\n  Глава 1\r\n  Смотритель\r\n"))) << text.toStdString();
    EXPECT_EQ(text.count(QStringLiteral("\r\n\r\n\r\n\r\n")), 2) << text.toStdString();

    AddOptions options;
    // In the shipped order: the pattern leaves the empty-line count for the
    // title's second line.
    ChapterDetector detector({{QStringLiteral("Глава {номер}"), true}, {QStringLiteral("\\\\\\"), true}}, false);
    EXPECT_EQ(cutIntoBlocks(text, QStringLiteral("Маяк"), options, detector).names,
              QStringList({QStringLiteral("Маяк"), QStringLiteral("Глава 1. Смотритель"), QStringLiteral("Эпилог")}));
}

TEST(Fb2ToText, DemoBookReadsTheSameInUtf8AndWindows1251)
{
    REQUIRE_SHARED_DATA();
    const auto utf8 = UserFile::readBytes(sharedDataPath(QStringLiteral("books/fb2/war-and-peace-demo.utf8.fb2")));
    const auto cp1251 = UserFile::readBytes(sharedDataPath(QStringLiteral("books/fb2/war-and-peace-demo.cp1251.fb2")));
    ASSERT_TRUE(utf8 && cp1251);
    const QString fromUtf8 = fb2ToText(decodeFb2File(*utf8));
    const QString fromCp1251 = fb2ToText(decodeFb2File(*cp1251));
    EXPECT_TRUE(fromUtf8.startsWith(QStringLiteral("Лев Толстой\r\n\r\n\r\nВойна и мир\r\n")));
    EXPECT_TRUE(fromUtf8.contains(QStringLiteral("\r\n\r\n\r\n\r\n  ЧАСТЬ ПЕРВАЯ\r\n")));
    EXPECT_TRUE(fromUtf8.contains(QStringLiteral("Gênes et Lucques")));
    EXPECT_TRUE(fromUtf8.contains(QStringLiteral("comme vous dites; [Примечание: 1 Ну, что, князь")));
    EXPECT_FALSE(fromUtf8.contains(u'<'));
    // The Windows-1251 copy lost the French accents; nothing else differs.
    QString withoutAccents = fromUtf8;
    for (const auto &[accented, plain] : {std::pair{u"ê", u"e"},
                                          {u"é", u"e"},
                                          {u"à", u"a"},
                                          {u"è", u"e"},
                                          {u"ç", u"c"},
                                          {u"ô", u"o"},
                                          {u"â", u"a"},
                                          {u"î", u"i"},
                                          {u"û", u"u"}})
        withoutAccents.replace(QString::fromUtf16(accented), QString::fromUtf16(plain));
    EXPECT_EQ(fromCp1251, withoutAccents);
    EXPECT_EQ(fb2Information(readFb2Description(decodeFb2File(*cp1251))),
              fb2Information(readFb2Description(decodeFb2File(*utf8))));
}

TEST(Fb2ToText, TruncatedBooksGiveWhatIsThere)
{
    EXPECT_EQ(fb2ToText(QStringLiteral("<FictionBook><body><section><p>Начало книги, обрыв")),
              QStringLiteral("\r\n\r\n  Начало книги, обрыв\r\n"));
    EXPECT_FALSE(fb2ToText(QStringLiteral("<body><p>Текст<a l:href=\"#n1\">1</a></p></body>"
                                          "<body name=\"notes\"><section id=\"n1\"><p>сноска"))
                     .isEmpty());
    EXPECT_EQ(fb2ToText(QString()).trimmed(), QString());
}

// Books nested as deep as they are long (a section opened per paragraph and
// closed only at the end) come through whole.
TEST(Fb2ToText, DeeplyNestedSectionsKeepEveryParagraph)
{
    const int paragraphs = 3000;
    QString book = QStringLiteral("<FictionBook><body>");
    for (int i = 1; i <= paragraphs; ++i)
        book += QStringLiteral("<section><p>Абзац %1.</p>").arg(i);
    book += QStringLiteral("</section>").repeated(paragraphs) + QStringLiteral("</body></FictionBook>");
    const QString text = fb2ToText(book);
    EXPECT_EQ(text.count(QStringLiteral("Абзац ")), paragraphs);
    EXPECT_TRUE(text.contains(QStringLiteral("Абзац 3000.")));
}

// A note is read in full at its first few links and only pointed back to
// after that, so a long note linked from every paragraph cannot blow a
// small file up into gigabytes.
TEST(Fb2ToText, ANoteLinkedEverywhereIsReadInFullOnlyAtItsFirstLinks)
{
    const QString note = QStringLiteral("Длинная сноска. ").repeated(500);
    const int links = 2000;
    QString book = QStringLiteral("<FictionBook><body><section>");
    for (int i = 0; i < links; ++i)
        book += QStringLiteral("<p>Слово<a l:href=\"#n1\" type=\"note\">1</a>.</p>");
    book += QStringLiteral("</section></body><body name=\"notes\"><section id=\"n1\"><p>") + note
            + QStringLiteral("</p></section></body></FictionBook>");
    const QString text = fb2ToText(book);
    EXPECT_EQ(text.count(QStringLiteral("Длинная сноска. Длинная")), 3 * 499);
    EXPECT_EQ(text.count(QStringLiteral("[Примечание: см. выше];")), links - 3);
    EXPECT_LT(text.size(), 2 * book.size());
}
