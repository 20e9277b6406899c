// Lining up a text with its rewrite: which words changed, and where a
// position of the rewrite stands in the original.

#include "stress/text_alignment.h"

#include <gtest/gtest.h>

namespace {

// The changed stretches as "original->rewritten" pieces of text.
QStringList changes(const QString &original, const QString &rewritten)
{
    QStringList result;
    const TextAlignment alignment(original, rewritten);
    for (const ChangedStretch &s : alignment.changedStretches())
        result << original.mid(s.originalStart, s.originalEnd - s.originalStart) + QStringLiteral("->")
                      + rewritten.mid(s.start, s.end - s.start);
    return result;
}

TEST(TextAlignment, EachChangedWordIsAStretchOfItsOwn)
{
    const struct
    {
        QString original, rewritten;
        QStringList expected;
    } cases[] = {
        {QStringLiteral("Первая глава."),
         QStringLiteral("Пе+рвая гла+ва."),
         {QStringLiteral("Первая->Пе+рвая"), QStringLiteral("глава->гла+ва")}},
        {QStringLiteral("Чего ты ждёшь?"), QStringLiteral("Чево ты ждёшь?"), {QStringLiteral("Чего->Чево")}},
        // two words for an abbreviation: the blank between them lines up
        {QStringLiteral("Т. е. так"),
         QStringLiteral("то есть так"),
         {QStringLiteral("Т.->то"), QStringLiteral("е.->есть")}},
        // a word dropped
        {QStringLiteral("да ну нет"), QStringLiteral("да нет"), {QStringLiteral("ну ->")}},
        {QStringLiteral("дом"), QStringLiteral("дом"), {}},
        {QString(), QStringLiteral("новое"), {QStringLiteral("->новое")}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(changes(c.original, c.rewritten), c.expected) << c.rewritten.toStdString();
}

TEST(TextAlignment, PositionsOfTheRewriteLeadBackToTheOriginal)
{
    const QString original = QStringLiteral("Первая глава. Кот.");
    const QString spoken = QStringLiteral("Пе+рвая гла+ва. Кот.");
    const TextAlignment alignment(original, spoken);
    const struct
    {
        qsizetype spoken, original;
    } cases[] = {
        {0, 0},   // a changed word's start
        {7, 6},   // its end
        {8, 7},   // the next word
        {14, 12}, // the end of "гла+ва" is the end of "глава"
        {16, 14}, // "Кот" as it is
        {20, 18}, // the text's end
    };
    for (const auto &c : cases)
        EXPECT_EQ(alignment.originalPosition(c.spoken), c.original) << c.spoken;
    // and back: word starts and ends of the original fall on those of the rewrite
    for (const auto &c : cases)
        EXPECT_EQ(alignment.rewrittenPosition(c.original), c.spoken) << c.original;
}

} // namespace
