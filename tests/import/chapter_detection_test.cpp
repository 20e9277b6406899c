#include "import/chapter_detection.h"

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
