#include "dictionaries/editor_rows.h"
#include "dictionaries/editor_sections.h"

#include <gtest/gtest.h>

TEST(EditorSections, EveryModeAndCaseRuleHasOneSection)
{
    struct Case
    {
        int mode;
        bool caseSensitive;
        int section;
    };
    const Case cases[] = {{3, true, 1},  {3, false, 2}, {0, true, 3},  {1, true, 3}, {4, true, 3},
                          {1, false, 4}, {2, false, 4}, {8, false, 4}, {0, false, 5}};
    for (const Case &c : cases)
        EXPECT_EQ(sectionOf(c.mode, c.caseSensitive), c.section) << c.mode << c.caseSensitive;
}

TEST(EditorSections, SplitAndJoinGroupBySectionKeepingOrderWithin)
{
    EditorRecords records;
    records[0] = tableFromRows({{QStringLiteral("б"), QStringLiteral("1"), {}},
                                {QStringLiteral("Лев"), QStringLiteral("2"), QStringLiteral("$")},
                                {QStringLiteral("а"), QStringLiteral("3"), {}}});
    splitIntoSections(records);
    joinSections(records);
    EXPECT_EQ(records[0].replacements, (QStringList{"2", "1", "3"}));
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
