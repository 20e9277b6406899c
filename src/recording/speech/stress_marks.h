#pragma once
// Stress marks written into Russian text: a "+" or a grave accent (also a
// combining grave or acute accent) right after a vowel puts the word's
// stress on that vowel. The synthesiser would read a "+" aloud as "плюс"
// and ignores the accents, so the marks are taken out of the text before it
// is spoken and the words they stress are remembered. A "+" after anything
// but a Russian vowel ("2+2", "C++") is ordinary text.

#include "recording/speech/sapi_markup.h"

#include <QList>
#include <QString>

struct StressedWord
{
    int start = 0; // in the piece's text, marks removed
    int length = 0;
    QList<int> stressedVowels; // offsets in the word of the vowels that carry a mark
};

bool isRussianVowel(QChar c);
bool isStressMark(QChar c);

// Removes the marks from the piece; every character left keeps its position
// in the caller's text, so reported positions still count the marks. Returns
// the stressed words in the order they stand.
QList<StressedWord> takeStressMarks(SpeechPiece &piece);
