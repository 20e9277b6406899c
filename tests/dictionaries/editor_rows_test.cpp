#include "dictionaries/editor_rows.h"
#include "dictionaries/editor_sections.h"

#include <gtest/gtest.h>

TEST(EditorSections, EveryModeAndCaseRuleHasOneSection)
{
    using enum BoundaryMode;
    struct Case
    {
        BoundaryMode mode;
        bool caseSensitive;
        int section;
    };
    const Case cases[] = {
        {DelimiterBeforeAndAfter, true, 1}, {DelimiterBeforeAndAfter, false, 2},   {Anywhere, true, 3},
        {DelimiterBefore, true, 3},         {NonDelimiterBeforeAndAfter, true, 3}, {DelimiterBefore, false, 4},
        {DelimiterAfter, false, 4},         {NonDelimiterBefore, false, 4},        {Anywhere, false, 5}};
    for (const Case &c : cases)
        EXPECT_EQ(sectionOf(c.mode, c.caseSensitive), c.section) << qToUnderlying(c.mode) << c.caseSensitive;
}

TEST(EditorSections, SplitAndJoinGroupBySectionKeepingOrderWithin)
{
    EditorRecords records;
    records[0] = tableFromRows({{QStringLiteral("б"), QStringLiteral("1"), {}},
                                {QStringLiteral("Лев"), QStringLiteral("2"), QStringLiteral("$")},
                                {QStringLiteral("а"), QStringLiteral("3"), {}}});
    splitIntoSections(records);
    joinSections(records);
    QStringList replacements;
    for (const DictionaryEntry &entry : records[0])
        replacements.append(entry.replacement);
    EXPECT_EQ(replacements, (QStringList{"2", "1", "3"}));
}

TEST(EditorRows, RepeatsInTheEngineListFollowItsCaseFlag)
{
    // "/i" ignores case: Кот and кот are one word; without it they are two.
    const QList<DicRow> rows = {{QStringLiteral("кот"), QStringLiteral("<кот>"), QStringLiteral("/i")},
                                {QStringLiteral("Кот"), QStringLiteral("<кот>"), QStringLiteral("/i")},
                                {QStringLiteral("Лев"), QStringLiteral("<лев>"), {}},
                                {QStringLiteral("лев"), QStringLiteral("<лёв>"), {}}};
    const RepeatCheck check = findRepeatedRows(rows, true, false);
    EXPECT_EQ(check.conflictRow, -1);
    EXPECT_EQ(check.repeats, QList<int>{1});
    EXPECT_EQ(withoutRows(rows, check.repeats).size(), 3);
}

TEST(EditorRows, TheEntryThatChangesAWordIsTheFirstThatMatchesItsBoundaries)
{
    const QList<DicRow> rows = {{QStringLiteral("кот"), QStringLiteral("кот<"), {}},
                                {QStringLiteral("*ота"), QStringLiteral("ота"), {}},
                                {QStringLiteral("*от*"), QStringLiteral("о<т"), {}}};
    EXPECT_EQ(rowChangingText(rows, QStringLiteral("кот"), false), 0);
    EXPECT_EQ(rowChangingText(rows, QStringLiteral("работа"), false), 2); // the second entry leaves it as it is
    EXPECT_EQ(rowChangingText(rows, QStringLiteral("дом"), false), -1);
    EXPECT_EQ(alphabeticalPosition(rows, QStringLiteral("Кит")), 0);
    EXPECT_EQ(rowStartingWith(rows, QStringLiteral("ОТ")), 1);
}

TEST(EditorRows, MarkerButtonStepsThroughTheForms)
{
    auto cycle = [](bool allForms, int clicks) {
        QString word = QStringLiteral("кот");
        QStringList forms;
        for (int i = 0; i < clicks; ++i)
            forms.append(word = nextMarkedWord(word, allForms));
        return forms;
    };
    EXPECT_EQ(cycle(false, 4), (QStringList{"кот*", "*кот", "*кот*", "кот"}));
    EXPECT_EQ(cycle(true, 9), (QStringList{"кот*", "*кот", "*кот*", "кот&", "&кот", "&кот&", "&кот*", "*кот&", "кот"}));
    // A left click on a "&" form starts the "*" forms again.
    EXPECT_EQ(nextMarkedWord(QStringLiteral("&кот*"), false), QStringLiteral("кот"));
    EXPECT_EQ(nextMarkedWord(QString(), true), QString());
}
