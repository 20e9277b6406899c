#include "import/chapter_detection.h"

#include "common/program_folder.h"
#include "common/text_codec.h"
#include "support/temp_program_folder.h"

#include "print_qstring.h"

#include <gtest/gtest.h>

namespace {

QString q(const char16_t *s)
{
    return QString::fromUtf16(s);
}

ChapterDetector detectorOf(std::initializer_list<const char16_t *> identifiers, bool quotes = false)
{
    QList<ChapterIdentifier> list;
    for (const char16_t *identifier : identifiers)
        list.append({q(identifier), true});
    return ChapterDetector(list, quotes);
}

// Which lines of `lines` the detector takes for headings, as a string of
// 0 and 1.
std::string headingsIn(ChapterDetector &detector, std::initializer_list<const char16_t *> lines)
{
    std::string marks;
    for (const char16_t *line : lines) {
        QString l = q(line);
        marks += detector.isChapter(l) ? '1' : '0';
    }
    return marks;
}

} // namespace

TEST(PatternLength, CountsTheCharactersAPrefixIsComparedWith)
{
    struct Case
    {
        const char16_t *pattern;
        int length;
    };
    const Case cases[] = {
        {u"Глава #", 7}, {u"[*]", 1}, {u"[0-9]", 3}, {u"Глава [0-9]", 9}, {u"[[]1[]]", 3}, {u"ГЛАВА", 5}, {u"", 0},
    };
    for (const Case &c : cases)
        EXPECT_EQ(patternLength(q(c.pattern)), c.length) << q(c.pattern).toStdString();
}

TEST(IsChapter, PatternsAgainstLines)
{
    struct Case
    {
        const char16_t *identifier, *line;
        bool match;
    };
    const Case cases[] = {
        {u"Глава #", u"Глава 1", true},
        {u"Глава #", u"Глава 1. Начало", true},
        {u"Глава #", u"Глава 12", true},     // only seven characters are compared
        {u"Глава #", u"   Глава\t 3", true}, // leading spaces, tabs and runs of spaces go
        {u"Глава #", u"глава 1", false},     // letter case counts
        {u"Глава [0-9]", u"Глава 1", true},
        {u"Глава [0-9]", u"Глава 1. Начало", false}, // nine characters: the line must be that short
        {u"Пролог|", u"Пролог", true},
        {u"Пролог|", u"Пролог к роману", false}, // "|" compares the whole line
        {u"Часть *", u"Часть первая", true},
        {u"Часть *", u"Частью", false}, // "*" compares the whole line too
        {u"$$", u"ГЛАВА ПЕРВАЯ", true},
        {u"$$", u"12 - 3.", true}, // digits and signs only
        {u"$$", u"Глава", false},
        {u"Глава", u"«Глава» первая", false}, // the guillemet leaves a leading space
        // a bracketed star still makes the pattern a whole-line one
        {u"[*] [*] [*]", u"* * *", true},
        {u"[*] [*] [*]", u"* * * и дальше", false},
    };
    for (const Case &c : cases) {
        ChapterDetector detector = detectorOf({c.identifier});
        QString line = q(c.line);
        EXPECT_EQ(detector.isChapter(line), c.match)
            << q(c.identifier).toStdString() << " / " << q(c.line).toStdString();
    }
}

TEST(IsChapter, HandsBackThePreparedLine)
{
    ChapterDetector detector = detectorOf({}, true);
    QString line = QStringLiteral("\t„Да,\u00A0 «конечно»“\r\n");
    detector.isChapter(line);
    EXPECT_EQ(line, QStringLiteral("- Да, конечно "));
}

TEST(IsChapter, EmptyLineRules)
{
    struct Case
    {
        std::initializer_list<const char16_t *> identifiers;
        std::initializer_list<const char16_t *> lines;
        std::string headings;
    };
    const Case cases[] = {
        // text, empty line, heading, text: the count is reset by the match
        {{u"\\"}, {u"текст", u"", u"Заголовок", u"текст"}, "0010"},
        // exactly as many empty lines as backslashes
        {{u"\\\\"}, {u"текст", u"", u"а", u"", u"", u"б", u"", u"", u"", u"в"}, "0000010000"},
        {{u"\\\\\\"}, {u"", u"", u"", u"Глава", u"текст"}, "00010"},
        // a pattern listed first matches and leaves the count alone, so the
        // next line still follows one empty line
        {{u"Глава #", u"\\"}, {u"", u"Глава 1", u"текст"}, "011"},
        // a line that matches nothing resets the count
        {{u"\\\\"}, {u"", u"текст", u"", u"Глава"}, "0000"},
        // an empty line never matches, whatever the list
        {{u"$$", u"*", u"\\"}, {u"", u"   ", u"\t"}, "000"},
    };
    for (const Case &c : cases) {
        ChapterDetector detector = detectorOf(c.identifiers);
        EXPECT_EQ(headingsIn(detector, c.lines), c.headings);
    }
}

TEST(IsChapter, SwitchedOffIdentifiersTakeNoPart)
{
    ChapterDetector detector({{QStringLiteral("Глава #"), false}, {QStringLiteral("$$"), true}}, false);
    QString line = QStringLiteral("Глава 1");
    EXPECT_FALSE(detector.isChapter(line));
}

TEST(ChapterIdentifierList, AddingAnExistingTextSwitchesItOn)
{
    ChapterIdentifierList list({{QStringLiteral("Глава #"), false}, {QStringLiteral("$$"), false}});
    EXPECT_EQ(list.addIdentifier(QStringLiteral("$$")), 1);
    EXPECT_EQ(list.addIdentifier(QStringLiteral("Пролог|")), 2);
    const QList<ChapterIdentifier> expected = {
        {QStringLiteral("Глава #"), false}, {QStringLiteral("$$"), true}, {QStringLiteral("Пролог|"), true}};
    EXPECT_EQ(list.entries(), expected);
}

TEST(ChapterIdentifierList, IdentifierFromSelection)
{
    EXPECT_EQ(identifierFromSelection(QStringLiteral("  Глава 1*?  \r\nтекст")), QStringLiteral("Глава 1[*][?]"));
    EXPECT_EQ(identifierFromSelection(QStringLiteral("Часть\u2029дальше")), QStringLiteral("Часть"));
    EXPECT_EQ(identifierFromSelection(QStringLiteral(" \r\n")), QString());
}

TEST(ChaptersFile, TextsWithQuotesReadBackUnchanged)
{
    TempProgramFolder folder;
    EXPECT_FALSE(loadChapterIdentifiers(folder.path()));
    const QList<ChapterIdentifier> entries = {
        {QStringLiteral("\"Глава\" #"), true},
        {QStringLiteral("Сказал \"нет\",|"), false},
        {QStringLiteral("\""), true},
        {QStringLiteral("\\\\\\"), true},
        {QStringLiteral(" Часть, #TRUE#"), false},
    };
    ASSERT_TRUE(saveChapterIdentifiers(folder.path(), entries));
    EXPECT_EQ(loadChapterIdentifiers(folder.path()), entries);
    // The file keeps the shared record form: Windows-1251, CR LF.
    EXPECT_TRUE(folder.readBytes(QStringLiteral("Chapters.txt"))
                    .startsWith(Codec::toCp1251(QStringLiteral("\"\"Глава\" #\",#TRUE#\r\n"))));
}

TEST(IsChapter, NumberClasses)
{
    struct Case
    {
        const char16_t *identifier, *line;
        bool match;
    };
    const Case cases[] = {
        {u"Глава {номер}", u"Глава 12", true},
        {u"Глава {номер}", u"Глава 12. Начало", true},
        {u"Глава {номер}", u"Глава 12б", false},    // the number must end a word
        {u"Глава {номер}", u"Глава XXXVIII", true}, // Roman numerals of any length
        {u"Глава {номер}", u"Глава XIIII", false},  // not a Roman numeral
        {u"Глава {номер}", u"Глава ХIV", true},     // a Cyrillic Х typed for X
        {u"Глава {номер}", u"Глава первая", true},
        {u"Глава {номер}", u"Глава ОДИННАДЦАТАЯ. В пути", true}, // number words in any letter case
        {u"Глава {номер}", u"Глава двадцать пятая", true},
        {u"Глава {номер}", u"Глава четвёртая", true},
        {u"Глава {номер}", u"Глава, которую он не дочитал", false},
        {u"Глава {номер}", u"Главная улица", false},
        {u"Часть {номер}|", u"Часть вторая", true},
        {u"Часть {номер}|", u"Часть вторая, о детстве", false},
        {u"Том {номер}", u"Том третий", true},
        {u"Книга {номер}", u"Книга сотая", true},
        {u"{римское}|", u"XLIV", true},
        {u"{римское}|", u"Один", false}, // a one-word reply is no numeral
        {u"{римское}.|", u"IX.", true},
        {u"{римское}|", u"MIX.", false},
        // a class inside brackets is no class: "[{]" is the brace itself
        {u"[{]номер}|", u"{номер}", true},
    };
    for (const Case &c : cases) {
        ChapterDetector detector = detectorOf({c.identifier});
        QString line = q(c.line);
        EXPECT_EQ(detector.isChapter(line), c.match)
            << q(c.identifier).toStdString() << " / " << q(c.line).toStdString();
    }
}

// What a new user's list takes for a heading.
TEST(ShippedIdentifiers, HeadingLinesOfOrdinaryBooks)
{
    TempProgramFolder folder;
    seedProgramFolder(folder.path());
    const auto identifiers = loadChapterIdentifiers(folder.path());
    ASSERT_TRUE(identifiers);
    struct Case
    {
        const char16_t *line;
        bool heading;
    };
    const Case cases[] = {
        {u"Глава первая", true},
        {u"ГЛАВА ПЕРВАЯ", true},
        {u"Глава 7", true},
        {u"Глава XXIV", true},
        {u"     Глава вторая", true},
        {u"Глава III. Детство", true},
        {u"ГЛАВА 12 Отъезд", true},
        {u"Часть третья", true},
        {u"ЧАСТЬ ВТОРАЯ", true},
        {u"Том первый", true},
        {u"ТОМ 2", true},
        {u"Книга вторая", true},
        {u"Раздел IV", true},
        {u"Глава сорок первая", true},
        {u"XXXVIII", true},
        {u"IV.", true},
        {u"Пролог", true},
        {u"ЭПИЛОГ", true},
        {u"Эпилог. Часть первая", true},
        {u"Предисловие", true},
        {u"Послесловие.", true},
        {u"Вступление", true},
        {u"Заключение", true},
        {u"От автора", true},
        {u"Глава семьи была строга.", false},
        {u"Частью он был прав.", false},
        {u"Томик стихов лежал.", false},
        {u"Книгами был завален стол.", false},
        {u"Пролог к чему-то большему начался.", false},
        {u"- Один.", false},
        {u"Два.", false},
        {u"Мне отмщение, и Аз воздам", false},
        {u"Он пришел в III часу.", false},
        {u"Глава,", false},
        {u"* * *", false},
        {u"ДА!", false},
    };
    for (const Case &c : cases) {
        ChapterDetector detector(*identifiers, false);
        QString line = q(c.line);
        EXPECT_EQ(detector.isChapter(line), c.heading) << q(c.line).toStdString();
    }
}

// A number alone on a line is a chapter only where it and the number before
// it (after it, for the first) each stand before a chapter's worth of text;
// numbered endnotes do not.
TEST(IsChapter, BareNumbersAfterASurveyOfTheBook)
{
    const QString chapterText = QString(900, u'а');
    const QStringList lines = {QStringLiteral("1"),
                               chapterText,
                               QStringLiteral("2"),
                               chapterText,
                               QStringLiteral("3"),
                               chapterText,
                               QStringLiteral("Примечания"),
                               QStringLiteral("1"),
                               QStringLiteral("Там же."),
                               QStringLiteral("2"),
                               QString(1000, u'б'),
                               QStringLiteral("3"),
                               QStringLiteral("Там же, с. 5.")};
    ChapterDetector detector({{QStringLiteral("#|"), true}, {QStringLiteral("Примечания|"), true}}, false);
    detector.surveyBook(lines);
    std::string marks;
    for (QString line : lines)
        marks += detector.isChapter(line) ? '1' : '0';
    EXPECT_EQ(marks, "1010101000000"); // the notes' heading, then no note

    ChapterDetector unsurveyed({{QStringLiteral("#|"), true}}, false);
    QString line = QStringLiteral("2");
    EXPECT_TRUE(unsurveyed.isChapter(line));
}

// A page number left between a chapter's paragraphs does not count on from
// the chapter numbers around it.
TEST(IsChapter, StrayPageNumbersAfterASurveyOfTheBook)
{
    const QString chapterText = QString(900, u'а');
    const QStringList lines = {QStringLiteral("1"),   chapterText, QStringLiteral("393"), chapterText,
                               QStringLiteral("2"),   chapterText, QStringLiteral("4"),   chapterText,
                               QStringLiteral("394"), chapterText};
    ChapterDetector detector({{QStringLiteral("#|"), true}, {QStringLiteral("###|"), true}}, false);
    detector.surveyBook(lines);
    std::string marks;
    for (QString line : lines)
        marks += detector.isChapter(line) ? '1' : '0';
    EXPECT_EQ(marks, "1000101000"); // chapter 3 missing, 4 still counts on
}

// A table of contents is a run of headings with nothing to say between
// them: its first line begins a block, and so do the headings that begin
// the book right after it. Three in a row ("Том", "Часть", "Глава") are
// still three headings.
TEST(IsChapter, TableOfContentsAfterASurvey)
{
    struct Case
    {
        QStringList lines;
        std::string headings;
    };
    const Case cases[] = {
        {{QStringLiteral("Оглавление"), QStringLiteral("Глава 1. Приезд"), QStringLiteral("Глава 2. Бал"),
          QStringLiteral(""), QStringLiteral("Глава 3. Дуэль"), QStringLiteral("Глава 4. Отъезд"),
          QStringLiteral("Том 1"), QStringLiteral("Часть 1"), QStringLiteral("Глава 1. Приезд"),
          QStringLiteral("Текст.")},
         "0100001110"},
        {{QStringLiteral("Текст."), QStringLiteral("Том 1"), QStringLiteral("Часть 1"), QStringLiteral("Глава 1"),
          QStringLiteral("Текст.")},
         "01110"},
    };
    for (const Case &c : cases) {
        ChapterDetector detector({{QStringLiteral("Глава {номер}"), true},
                                  {QStringLiteral("Том {номер}"), true},
                                  {QStringLiteral("Часть {номер}"), true}},
                                 false);
        detector.surveyBook(c.lines);
        std::string marks;
        for (QString line : c.lines)
            marks += detector.isChapter(line) ? '1' : '0';
        EXPECT_EQ(marks, c.headings);
    }
}
