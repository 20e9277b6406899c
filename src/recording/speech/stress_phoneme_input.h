#pragma once
// A text piece made ready for the synthesiser when it holds stress marks:
// the marks go, and every word whose stress they move is written as the
// synthesiser's phoneme input "[[...]]". The positions of the piece keep
// pointing into the caller's text, marks included.

#include "recording/speech/sapi_markup.h"

#include <QList>
#include <QString>

#include <functional>

// The phonemes of a word with the stress on the given vowels (offsets in
// the word), or empty to leave the word as it is written.
using StressSpeller = std::function<QString(const QString &word, const QList<int> &stressedVowels)>;

// True when the piece now holds phoneme input and must be spoken with the
// synthesiser's phoneme flag.
bool writeStressAsPhonemes(SpeechPiece &piece, const StressSpeller &spell);
