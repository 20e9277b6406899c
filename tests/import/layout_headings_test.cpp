#include "import/layout_headings.h"

#include "import/add_pass.h"
#include "import/chapter_preview.h"

#include "print_qstring.h"

#include <gtest/gtest.h>

namespace {

QString q(const char16_t *s)
{
    return QString::fromUtf16(s);
}

// A paragraph of narration as a book without empty lines between its
// paragraphs has it: indented, one line.
QString paragraph(int n)
{
    return QStringLiteral("   Кому случалось из Болховского уезда перебираться в Жиздринский, того, вероятно, "
                          "поражала резкая разница между породой людей %1.")
        .arg(n);
}

void appendParagraphs(QStringList &lines, int count)
{
    for (int n = 0; n < count; ++n)
        lines.append(paragraph(n));
}

// The lines of `text`, one per "\n".
QStringList linesOf(const QString &text)
{
    return text.split(u'\n');
}

// The lines taken for titles, joined by "|".
QString titlesIn(const QStringList &lines)
{
    const QList<bool> headings = layoutHeadings(lines);
    QStringList titles;
    for (qsizetype i = 0; i < lines.size(); ++i)
        if (headings[i])
            titles.append(lines[i].trimmed());
    return titles.join(u'|');
}

} // namespace

TEST(LooksLikeTitle, ByTheLineAlone)
{
    struct Case
    {
        const char16_t *line;
        bool title;
    };
    const Case cases[] = {
        {u"Хорь и Калиныч", true},
        {u"   ЕРМОЛАЙ И МЕЛЬНИЧИХА", true},
        {u"Бирюк", true}, // one word
        {u"Стучит!", true},
        {u"Что делать?", true},
        {u"«Живые мощи»", true},
        {u"Смерть Ивана Ильича (отрывок)", true},
        {u"Тишина.", false},
        {u"Ну…", false},
        {u"Он сказал:", false},
        {u"Кто же там стучит в такую пору?", false}, // a question of many words
        {u"Вот так история!", false},
        {u"Hatt’ich auch recht hübsch Plaisir![51]", false}, // a verse line with its note
        {u"— Стучит! — прошептал он.", false},               // dialogue
        {u"- Кто там", false},
        {u"– Да", false},
        {u"и тогда он ушёл", false},
        {u"1852", false}, // dates
        {u"Спасское, 1852 г", false},
        {u"12 марта 1850", false},
        {u"Март 1847 года", false},
        {u"- 12 -", false}, // page numbers and numerals
        {u"112", false},
        {u"XIV", false},
        {u"* * *", false},
        {u"", false},
        {u"Очень длинная строка без точки в конце, в которой слов гораздо больше, чем бывает в заглавии рассказа",
         false},
    };
    for (const Case &c : cases)
        EXPECT_EQ(looksLikeTitle(q(c.line)), c.title) << q(c.line).toStdString();
}

TEST(LayoutHeadings, TitlesAloneInABookOfParagraphsWithoutEmptyLines)
{
    QStringList lines{q(u"Записки охотника"), QString(), q(u"Хорь и Калиныч"), QString()};
    appendParagraphs(lines, 8);
    lines << QString() << q(u"   — Стучит! — прошептал он.") << QString(); // a reply set apart
    appendParagraphs(lines, 8);
    lines << QString() << q(u"1847") << QString(); // the story's date
    lines << q(u"Стучит!") << QString();
    // An epigraph and its author; a poem whose stanzas a lone line parts.
    lines << q(u"   Я помню чудное мгновенье,") << q(u"   Передо мной явилась ты") << QString() << q(u"   Пушкин")
          << QString();
    appendParagraphs(lines, 8);
    lines << QString() << q(u"   Как мимолётное виденье,") << q(u"   Как гений чистой красоты.") << QString()
          << q(u"   Ах") << QString() << q(u"   В томленьях грусти безнадежной,") << q(u"   В тревогах шумной суеты")
          << QString();
    appendParagraphs(lines, 8);
    lines << QString() << q(u"112") << QString(); // a stray page number
    appendParagraphs(lines, 8);
    lines << QString() << QString() << q(u"Бирюк") << QString();
    appendParagraphs(lines, 8);
    // A one-line epigraph signed; a story that opens with a reply of its own.
    lines << QString() << q(u"Лес и степь") << QString() << q(u"   Любовь и голод правят миром.") << QString()
          << q(u"   Шиллер") << QString();
    appendParagraphs(lines, 8);
    lines << QString() << q(u"АНЮТА") << QString() << q(u"   — Всё не лучше? — сказал он.") << QString();
    appendParagraphs(lines, 8);
    // Verse set out a line between empty lines.
    lines << QString() << q(u"   Himmlisch ist es, wenn ich bezwungen") << QString() << q(u"   Meine irdische Begier;")
          << QString();
    appendParagraphs(lines, 8);
    // A story that ends in short replies.
    lines << QString() << q(u"   — А лошадь пришла?") << q(u"   — Пришла.") << QString() << q(u"Малиновая вода")
          << QString();
    appendParagraphs(lines, 8);
    lines << QString() << q(u"Конец") << QString(); // nothing after it
    EXPECT_EQ(titlesIn(lines), q(u"Хорь и Калиныч|Стучит!|Бирюк|Лес и степь|АНЮТА|Малиновая вода"));
}

TEST(LayoutHeadings, TwoEmptyLinesBeforeATitleAfterAPoem)
{
    const QStringList lines = linesOf(q(u"Стихотворения\n\n\n"
                                        "Тучи\n\n"
                                        "   Тучки небесные, вечные странники!\n"
                                        "   Степью лазурною, цепью жемчужною\n"
                                        "   Мчитесь вы, будто как я же, изгнанники\n"
                                        "   С милого севера в сторону южную.\n\n\n"
                                        "Парус\n\n"
                                        "   Белеет парус одинокой\n"
                                        "   В тумане моря голубом!..\n"
                                        "   Что ищет он в стране далекой?\n"
                                        "   Что кинул он в краю родном?..\n"));
    EXPECT_EQ(titlesIn(lines), q(u"Тучи|Парус"));
}

TEST(LayoutHeadings, ABookOfParagraphsSetApartNeedsItsContents)
{
    QStringList lines;
    const char16_t *titles[] = {u"Хорь и Калиныч", u"Бирюк", u"Певцы", u"Свидание"};
    for (const char16_t *title : titles) {
        lines << q(title) << QString();
        for (int n = 0; n < 3; ++n)
            lines << paragraph(n).trimmed() << QString();
        lines << q(u"Вот как") << QString(); // a short paragraph of its own
    }
    EXPECT_TRUE(paragraphsSetApart(lines));
    EXPECT_EQ(titlesIn(lines), QString());

    lines << q(u"Содержание") << QString();
    for (const char16_t *title : titles)
        lines << q(title) + QStringLiteral(" ........ 12") << QString();
    EXPECT_EQ(titlesIn(lines), q(u"Хорь и Калиныч|Бирюк|Певцы|Свидание"));
}

TEST(LayoutHeadings, TheChapterPreviewShowsTheTitles)
{
    QStringList lines{QString(), q(u"Хорь и Калиныч"), QString()};
    for (int n = 0; n < 5; ++n)
        lines.append(paragraph(n));
    lines << QString() << q(u"Стучит!") << QString() << paragraph(5) << paragraph(6);
    const QString text = lines.join(QStringLiteral("\r\n"));

    const auto previewWith = [&](bool layoutOn) {
        ChapterDetector detector({{kLayoutHeadingIdentifier, layoutOn}, {q(u"Глава {номер}"), true}}, false);
        QStringList names;
        for (const PreviewRow &row : previewChapters(text, q(u"Записки"), AddOptions(), SpeakingRate(), detector).rows)
            names.append(row.chapter);
        return names.join(u'|');
    };
    EXPECT_EQ(previewWith(true), q(u"Записки|Стучит!"));
    EXPECT_EQ(previewWith(false), q(u"Записки"));
}

// A FictionBook's conversion marks its sections with three empty lines;
// its lone lines (subtitles, an epigraph's author) are no titles there.
TEST(LayoutHeadings, NotWhereTheSectionsAreMarked)
{
    QStringList lines{q(u"Маяк"), QString(), QString(), QString(), q(u"Смотритель"), QString()};
    appendParagraphs(lines, 8);
    lines << QString() << q(u"Шторм") << QString();
    appendParagraphs(lines, 8);
    const auto headingsWith = [&](bool sectionMarks) {
        ChapterDetector detector({{kLayoutHeadingIdentifier, true}, {kSectionBreakIdentifier, sectionMarks}}, false);
        detector.surveyBook(lines);
        QStringList found;
        for (QString line : lines)
            if (detector.isChapter(line))
                found.append(line);
        return found.join(u'|');
    };
    EXPECT_EQ(headingsWith(false), q(u"Смотритель|Шторм"));
    EXPECT_EQ(headingsWith(true), q(u"Смотритель"));
}
