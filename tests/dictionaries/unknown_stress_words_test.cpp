// The words of unknown stress that the word analysis lists.

#include "dictionaries/dictionary_engine.h"
#include "dictionaries/unknown_stress_words.h"

#include "stress/shipped_lexicon.h"
#include "stress/stress_lexicon.h"

#include <gtest/gtest.h>

namespace {

// "замок 4, руки 2": readable when a comparison fails.
std::string listed(const QList<WordCount> &words)
{
    QStringList rows;
    for (const WordCount &w : words)
        rows.append(w.word + u' ' + QString::number(w.count));
    return rows.join(QStringLiteral(", ")).toStdString();
}

DictionaryEntry simpleEntry(const QString &key, const QString &replacement)
{
    return {key, replacement, false, BoundaryMode::DelimiterBeforeAndAfter};
}

} // namespace

TEST(UnknownStressWords, ListsWhatThePassLeavesToTheVoiceLessWhatTheDictionariesChange)
{
    // "замок" (за́мок/замо́к) and "руки" are homographs, "Бумбарашкин" and
    // "кузявый" are words the lexicon lacks, "молоко" it knows one way,
    // "дом" and "кот" have one syllable; a dictionary entry decides
    // "кузявый", written in any case.
    const QString text = QStringLiteral("Замок стоял ночью. Замок, замок!\r\n"
                                        "ЗАМОК\r\n"
                                        "Бумбарашкин пил молоко утром, а Бумбарашкин кот - нет.\r\n"
                                        "Руки его, руки.\r\n"
                                        "Кузявый кузявый КУЗЯВЫЙ дом.\r\n");
    const DictionaryEngine engine(DictionaryTable{simpleEntry(QStringLiteral("кузявый"), QStringLiteral("кузя+вый"))});
    const UnknownStressWords found = findUnknownStressWords(text, shippedLexicon(), engine);
    EXPECT_FALSE(found.lexiconMissing);
    EXPECT_FALSE(found.cancelled);
    // Shown in lower case where the text writes it so, else as written;
    // equal counts alphabetically.
    EXPECT_EQ(listed(found.words), "замок 4, Бумбарашкин 2, руки 2");
    // Without the entry the word is listed.
    EXPECT_EQ(listed(findUnknownStressWords(text, shippedLexicon(), DictionaryEngine()).words),
              "замок 4, кузявый 3, Бумбарашкин 2, руки 2");
}

TEST(UnknownStressWords, CountsAreTheSameHoweverLongTheBook)
{
    // Long enough to be read in several pieces; a piece that cut a word or
    // dropped a line would change the counts.
    QString text;
    const int lines = 20000;
    for (int i = 0; i < lines; ++i)
        text += i % 2 ? QStringLiteral("Бумбарашкин открыл замок.\n") : QStringLiteral("Замок, сказал Бумбарашкин\n");
    const UnknownStressWords found = findUnknownStressWords(text, shippedLexicon(), DictionaryEngine());
    EXPECT_EQ(listed(found.words), QStringLiteral("Бумбарашкин %1, замок %1").arg(lines).toStdString());
}

TEST(UnknownStressWords, WithoutALexiconOrWhenStoppedNothingIsListed)
{
    const QString text = QStringLiteral("Замок стоял на горе.");
    const UnknownStressWords withoutLexicon = findUnknownStressWords(text, StressLexicon(), DictionaryEngine());
    EXPECT_TRUE(withoutLexicon.lexiconMissing);
    EXPECT_TRUE(withoutLexicon.words.isEmpty());

    ToolProgress stopped;
    stopped.cancelled = [] { return true; };
    const UnknownStressWords cancelled = findUnknownStressWords(text, shippedLexicon(), DictionaryEngine(), stopped);
    EXPECT_TRUE(cancelled.cancelled);
    EXPECT_FALSE(cancelled.lexiconMissing);
}
