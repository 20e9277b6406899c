#include "recording/speech/stress_marks.h"

bool isRussianVowel(QChar c)
{
    static const QString vowels = QStringLiteral("аеёиоуыэюя");
    return vowels.contains(c.toLower());
}

bool isStressMark(QChar c)
{
    return c == u'+' || c == u'`' || c == QChar(0x0300) || c == QChar(0x0301);
}

namespace {

// The word around `at` in `text`: the run of letters that holds it.
StressedWord wordAround(const QString &text, int at)
{
    int start = at;
    while (start > 0 && text.at(start - 1).isLetter())
        --start;
    int end = at + 1;
    while (end < text.size() && text.at(end).isLetter())
        ++end;
    return {start, end - start, {}};
}

} // namespace

QList<StressedWord> takeStressMarks(SpeechPiece &piece)
{
    QString text;
    QList<int> sourcePos;
    text.reserve(piece.text.size());
    sourcePos.reserve(piece.sourcePos.size());
    QList<int> stressedVowels; // positions in `text`
    for (int i = 0; i < piece.text.size(); ++i) {
        const QChar c = piece.text.at(i);
        if (isStressMark(c) && !text.isEmpty() && isRussianVowel(text.back())) {
            // a second mark after the same vowel is dropped as well
            if (stressedVowels.isEmpty() || stressedVowels.last() != text.size() - 1)
                stressedVowels.append(int(text.size()) - 1);
            continue;
        }
        text.append(c);
        sourcePos.append(piece.sourcePos.at(i));
    }
    if (stressedVowels.isEmpty())
        return {};
    sourcePos.append(piece.sourcePos.last());
    piece.text = text;
    piece.sourcePos = sourcePos;

    QList<StressedWord> words;
    for (int vowel : stressedVowels) {
        if (words.isEmpty() || vowel >= words.last().start + words.last().length)
            words.append(wordAround(text, vowel));
        words.last().stressedVowels.append(vowel - words.last().start);
    }
    return words;
}
