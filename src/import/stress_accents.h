#pragma once
// Stress accents as books write them, rewritten into the stress mark the
// voice obeys: a "+" after the stressed vowel ("за+мок"). Books mark stress
// with a combining acute or grave after the vowel, or type a Latin letter
// with an acute for the Cyrillic vowel it looks like ("пóдать"); neither
// fits the block files' code page, and the Latin letter would be spoken as
// a foreign sound.

#include <QString>

// In a word holding Cyrillic letters: a combining acute or grave (U+0301,
// U+0300) after a vowel becomes "+", a Latin vowel before it becomes its
// Cyrillic twin, and á é ó ý ú (ú as the italic "и" it imitates), with their
// capitals, and the precomposed ѐ ѝ become the Cyrillic vowel and "+".
// Everything else is left as it is.
QString stressAccentsAsMarks(const QString &text);
