#include "common/terminal_columns.h"

#include <gtest/gtest.h>

TEST(TerminalColumns, CountsWhatATerminalShows)
{
    const struct
    {
        QString text;
        int columns;
    } cases[] = {
        {QStringLiteral("Война и мир"), 11},
        {QStringLiteral("за\u0301мок"), 5},    // a combining accent takes no column
        {QStringLiteral("東京"), 4},           // wide characters take two
        {QString::fromUcs4(U"\U0001F4DA"), 2}, // an emoji outside the first plane
        {QString(), 0},
    };
    for (const auto &c : cases)
        EXPECT_EQ(terminalColumnsOf(c.text), c.columns) << c.text.toStdString();
}

TEST(TerminalColumns, CutTextEndsWithAnEllipsisWithinTheWidth)
{
    const struct
    {
        QString text;
        int columns;
        QString cut;
    } cases[] = {
        {QStringLiteral("Книга | блок 1/3"), 16, QStringLiteral("Книга | блок 1/3")}, // fits: unchanged
        {QStringLiteral("Книга | блок 1/3"), 8, QStringLiteral("Книга |…")},
        {QStringLiteral("东京东京"), 6, QStringLiteral("东京…")}, // a wide character never half shown
        {QStringLiteral("东京东京"), 4, QStringLiteral("东…")},
        {QStringLiteral("за\u0301мок"), 3, QStringLiteral("за\u0301…")}, // the accent stays with its letter
        {QStringLiteral("Книга"), 1, QStringLiteral("…")},
        {QStringLiteral("Книга"), 0, QString()},
    };
    for (const auto &c : cases) {
        const QString cut = cutToColumns(c.text, c.columns);
        EXPECT_EQ(cut, c.cut) << c.text.toStdString() << " in " << c.columns;
        EXPECT_LE(terminalColumnsOf(cut), c.columns);
    }
}
