// Stress marks found in a piece of text and taken out of it.

#include "recording/speech/stress_marks.h"
#include "recording/speech/stress_phoneme_input.h"

#include <gtest/gtest.h>

namespace {

struct MarkCase
{
    QString given;
    QString spoken;
    QStringList words; // each stressed word, its stressed vowels in brackets
};

QString described(const QString &text, const StressedWord &word)
{
    QString out = text.mid(word.start, word.length);
    for (int i = int(word.stressedVowels.size()) - 1; i >= 0; --i)
        out.insert(word.stressedVowels.at(i) + 1, u']').insert(word.stressedVowels.at(i), u'[');
    return out;
}

} // namespace

TEST(StressMarks, AreTakenOnlyAfterRussianVowels)
{
    const QList<MarkCase> cases = {
        {QStringLiteral("Старый за+мок."), QStringLiteral("Старый замок."), {QStringLiteral("з[а]мок")}},
        {QStringLiteral("замо`к и ЗА\u0301МОК"),
         QStringLiteral("замок и ЗАМОК"),
         {QStringLiteral("зам[о]к"), QStringLiteral("З[А]МОК")}},
        {QStringLiteral("абэцэ+, ё+лка"),
         QStringLiteral("абэцэ, ёлка"),
         {QStringLiteral("абэц[э]"), QStringLiteral("[ё]лка")}},
        {QStringLiteral("ви+це-президе+нт"),
         QStringLiteral("вице-президент"),
         {QStringLiteral("в[и]це"), QStringLiteral("презид[е]нт")}},
        {QStringLiteral("ко+нтрада+нс"), QStringLiteral("контраданс"), {QStringLiteral("к[о]нтрад[а]нс")}},
        {QStringLiteral("мо++локо"), QStringLiteral("молоко"), {QStringLiteral("м[о]локо")}},
        // not after a Russian vowel: ordinary text
        {QStringLiteral("2+2, C++, зам+ок, a+b"), QStringLiteral("2+2, C++, зам+ок, a+b"), {}},
    };
    for (const MarkCase &c : cases) {
        SpeechPiece piece = plainTextPieces(c.given).first();
        const QList<StressedWord> words = takeStressMarks(piece);
        EXPECT_EQ(piece.text, c.spoken) << c.given.toStdString();
        QStringList found;
        for (const StressedWord &word : words)
            found.append(described(piece.text, word));
        EXPECT_EQ(found, c.words) << c.given.toStdString();
        // every character left still points at itself in the given text
        ASSERT_EQ(piece.sourcePos.size(), piece.text.size() + 1);
        for (int i = 0; i < piece.text.size(); ++i)
            EXPECT_EQ(c.given.at(piece.sourcePos.at(i)), piece.text.at(i)) << c.given.toStdString();
        EXPECT_EQ(piece.sourcePos.last(), c.given.size());
    }
}

TEST(StressMarks, MarkedWordsBecomePhonemeInputThatPointsBackAtTheWord)
{
    const QString given = QStringLiteral("[[Он]] за+мок, мо+локо.");
    SpeechPiece piece = plainTextPieces(given).first();
    // the speller leaves "молоко" as it is written
    const bool phonemes = writeStressAsPhonemes(piece, [](const QString &word, const QList<int> &vowels) {
        return word == u"замок" && vowels == QList<int>{1} ? QStringLiteral("z'AmVk") : QString();
    });
    ASSERT_TRUE(phonemes);
    // the text's own double brackets must not open phoneme input
    EXPECT_EQ(piece.text, QStringLiteral("((Он)) [[z'AmVk]], молоко."));
    const int input = int(piece.text.indexOf(u"[["));
    const int word = int(given.indexOf(u"за+мок"));
    // the synthesiser reports the word at its first phoneme, one character long
    EXPECT_EQ(piece.sourcePos.at(input + 2), word);
    EXPECT_EQ(piece.sourcePos.at(input + 3), word + QStringLiteral("за+мок").size());
    const int milk = int(piece.text.indexOf(u"молоко"));
    EXPECT_EQ(piece.sourcePos.at(milk + 2) - piece.sourcePos.at(milk + 1), 2); // the mark between
    EXPECT_EQ(piece.sourcePos.last(), given.size());

    SpeechPiece agreed = plainTextPieces(QStringLiteral("замо+к")).first();
    EXPECT_FALSE(writeStressAsPhonemes(agreed, [](const QString &, const QList<int> &) { return QString(); }));
    EXPECT_EQ(agreed.text, QStringLiteral("замок"));
}
